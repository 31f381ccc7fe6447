#pragma once

// The mouse's firmware: settings memory in 128-byte profile areas, the button table, DPI data
// in the info block, macro memory and recoil memory, on top of the blocks every device has.
//
// Memory map as the commands address it:
//   settings (0x05/0x06)   profile p at 128 p; byte 0 of profile 0 is the active profile
//   buttons (0x07, 0x09)   512 bytes per profile, profile p from 512 p, 3 bytes per slot
//   macros (0x15)          128 x info byte 6 bytes
//   recoil (0x17)          kRecoilBytes; the host sends it in 56-byte chunks on every link

#include <cstdint>
#include <vector>

#include "emulator/DeviceFirmware.h"

namespace dw::emu {

class MouseFirmware final : public DeviceFirmware {
public:
    static constexpr int kProfileCount = 4;
    static constexpr size_t kProfileBytes = 128;
    static constexpr size_t kButtonSlots = 16;
    static constexpr size_t kButtonBytesPerProfile = 512;
    static constexpr uint8_t kMacroUnits = 16;       // 2048 bytes
    static constexpr size_t kRecoilBytes = 4096;
    static constexpr uint16_t kSensorCode = 0x3325;
    static constexpr uint8_t kDpiStep = 100;
    static constexpr uint16_t kHighestDpiIndex = 73;   // 9900 DPI on the two-step scale
    static constexpr uint16_t kLowestDpi = 100;

    MouseFirmware();

    // 3 x kButtonSlots bytes of `profile`'s button table; empty for a bad profile.
    std::vector<uint8_t> ButtonTable(int profile = 0) const;
    std::vector<uint8_t> MacroMemory() const;
    std::vector<uint8_t> RecoilMemory() const;

    // The factory button table as 3 x kButtonSlots bytes.
    static std::vector<uint8_t> FactoryButtonTable();

private:
    std::optional<uint8_t> Execute(uint8_t command, CommandContext& ctx) override;

    uint8_t OnReadButtons(CommandContext& ctx);
    uint8_t OnWriteButtons(CommandContext& ctx);
    uint8_t OnWriteMacros(CommandContext& ctx);
    uint8_t OnWriteRecoil(CommandContext& ctx);

    std::vector<uint8_t> buttons_;
    std::vector<uint8_t> macros_;
    std::vector<uint8_t> recoil_;
};

}  // namespace dw::emu
