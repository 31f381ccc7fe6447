#pragma once

// The audio lighting record as the device objects pass it: three 32-bit words.
//   word 0: AudioMode, BkColorR, BkColorG, BkColorB   (one byte each, from the low byte up)
//   word 1: FgColorR, FgColorG, FgColorB, 7ColorFlags (likewise)
//   word 2: ColorTypeFlags

#include <cstdint>

namespace dw {

struct AudioLightRecord {
    uint32_t modeAndBackground = 0;
    uint32_t foregroundAndFlags = 0;
    uint32_t colourTypeFlags = 0;

    static constexpr uint32_t Pack(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3)
    {
        return uint32_t{b0} | (uint32_t{b1} << 8) | (uint32_t{b2} << 16) | (uint32_t{b3} << 24);
    }
    static constexpr uint8_t ByteOf(uint32_t word, unsigned n) { return static_cast<uint8_t>((word >> (8 * n)) & 0xFF); }

    constexpr uint8_t AudioMode() const { return ByteOf(modeAndBackground, 0); }
    constexpr uint8_t BackgroundRed() const { return ByteOf(modeAndBackground, 1); }
    constexpr uint8_t BackgroundGreen() const { return ByteOf(modeAndBackground, 2); }
    constexpr uint8_t BackgroundBlue() const { return ByteOf(modeAndBackground, 3); }
    constexpr uint8_t ForegroundRed() const { return ByteOf(foregroundAndFlags, 0); }
    constexpr uint8_t ForegroundGreen() const { return ByteOf(foregroundAndFlags, 1); }
    constexpr uint8_t ForegroundBlue() const { return ByteOf(foregroundAndFlags, 2); }
    constexpr uint8_t SevenColourFlags() const { return ByteOf(foregroundAndFlags, 3); }

    friend constexpr bool operator==(const AudioLightRecord&, const AudioLightRecord&) = default;
};

}  // namespace dw
