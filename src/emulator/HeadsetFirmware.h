#pragma once

// The headset's firmware: the lighting and power subset of the command set (Begin, End,
// device info, settings, status) and the 17-byte LED output report that paints its 13 LEDs.
//
// LED report: byte 0 id 0xFF, byte 1 zone (0x22 or 0x44), byte 2 colour and LED group
// (0xAA red 0-6, 0xAD red 7-12, 0xAB green 0-6, 0xAE green 7-12, 0xAC blue 0-6, 0xAF blue
// 7-12), bytes 3..9 the values of that group's LEDs. A report with an unknown zone or group is
// ignored, as is one of another length.
//
// Settings memory: as the mousepad's, 64 bytes per profile, byte 0 the active profile.

#include <array>
#include <cstdint>

#include "emulator/DeviceFirmware.h"

namespace dw::emu {

struct LedColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const LedColour&) const = default;
};

class HeadsetFirmware final : public DeviceFirmware {
public:
    static constexpr int kProfileCount = 4;
    static constexpr size_t kProfileBytes = 64;
    static constexpr size_t kLedCount = 13;
    static constexpr uint8_t kZoneA = 0x22;
    static constexpr uint8_t kZoneB = 0x44;

    HeadsetFirmware();

    void HandleOutputReport(std::span<const uint8_t> report) override;

    // The colour last painted on LED `led` of `zone` (kZoneA or kZoneB).
    LedColour Led(uint8_t zone, size_t led) const;
    int LedReportCount() const;

private:
    std::optional<uint8_t> Execute(uint8_t command, CommandContext& ctx) override;

    std::array<std::array<LedColour, kLedCount>, 2> leds_{};
    int ledReports_ = 0;
};

}  // namespace dw::emu
