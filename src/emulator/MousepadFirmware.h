#pragma once

// The mousepad's firmware: the lighting-only subset (Begin, End, device info, settings,
// status). It is powered by the bus, so its status block always reads "powered, 100 %";
// status byte 5 tells which phone lies on its charging area.
//
// Settings memory: 64 bytes per profile, profile p from 64 p; byte 0 is the active profile.
// The host writes 21 bytes at 64 p and reads 34 bytes at 33 x active profile, which meet at
// offset 0 for profile 0, the only profile it uses.

#include <cstdint>

#include "emulator/DeviceFirmware.h"

namespace dw::emu {

class MousepadFirmware final : public DeviceFirmware {
public:
    static constexpr int kProfileCount = 4;
    static constexpr size_t kProfileBytes = 64;

    // Phone types of status byte 5.
    static constexpr uint8_t kNoPhone = 0;
    static constexpr uint8_t kPhoneIPhone = 1;
    static constexpr uint8_t kPhoneSamsung = 2;
    static constexpr uint8_t kPhoneOther = 3;

    MousepadFirmware();

    void SetPhone(uint8_t phoneType);

private:
    std::optional<uint8_t> Execute(uint8_t command, CommandContext& ctx) override;
};

}  // namespace dw::emu
