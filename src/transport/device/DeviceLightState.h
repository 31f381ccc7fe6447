#pragma once

// What a device page keeps per light: the colour it shows (and the preview computes) and a
// 14-byte block of extra state the device classes use for their own lighting code.

#include <array>
#include <cstdint>

namespace dw {

// One light: red, green and blue with a brightness (0..255 each) and a flag byte whose use is
// up to the device class.
struct LightState {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t brightness = 0;
    uint8_t flag = 0;
    friend constexpr bool operator==(const LightState&, const LightState&) = default;
};
static_assert(sizeof(LightState) == 5);

// Per-light working bytes of the device classes' lighting code; zeroed with the light states.
struct LightExtra {
    std::array<uint8_t, 14> bytes{};
    friend constexpr bool operator==(const LightExtra&, const LightExtra&) = default;
};
static_assert(sizeof(LightExtra) == 14);

// A light's colour as one word, the form SetLightState takes: red in the low byte, then green,
// blue, and the brightness in the high byte.
constexpr uint32_t PackLightColour(uint8_t red, uint8_t green, uint8_t blue, uint8_t brightness)
{
    return uint32_t{red} | (uint32_t{green} << 8) | (uint32_t{blue} << 16) | (uint32_t{brightness} << 24);
}

constexpr LightState UnpackLightColour(uint32_t colour, uint8_t flag)
{
    return LightState{static_cast<uint8_t>(colour & 0xFF), static_cast<uint8_t>((colour >> 8) & 0xFF),
                      static_cast<uint8_t>((colour >> 16) & 0xFF), static_cast<uint8_t>((colour >> 24) & 0xFF), flag};
}

}  // namespace dw
