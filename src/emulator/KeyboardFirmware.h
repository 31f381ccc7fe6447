#pragma once

// The keyboard's firmware: key maps on two layers, the slot byte image, custom colour groups,
// the custom-light bitmap, host light frames, macro memory and host lighting control, on top
// of the blocks every device has. Four on-board profiles; the host addresses profile 0.
//
// Memory map as the commands address it:
//   settings (0x05/0x06)   byte 0 active profile, profile p's 33 bytes from 33 p + 1
//   key map (0x07, 0x09)   layer 1, 512 bytes per profile, profile p from 512 p
//   key map (0x27)         layer 2, same layout; the firmware offers no read for it
//   slot bytes (0x1B)      one byte per slot: 1 where a key sits, 0 for an empty slot
//   colours (0x0A)         512 bytes per custom group, red, green, blue per slot
//   bitmap (0x0B)          64 bytes; the host writes 21
//   light frame (0x12)     one byte per slot
//   macros (0x15)          128 x info byte 6 bytes

#include <cstdint>
#include <vector>

#include "emulator/DeviceFirmware.h"
#include "emulator/KeyboardLayout75.h"

namespace dw::emu {

class KeyboardFirmware final : public DeviceFirmware {
public:
    static constexpr int kProfileCount = 4;
    static constexpr size_t kProfileBytes = 33;
    static constexpr size_t kKeyMapBytesPerProfile = 512;
    static constexpr int kCustomGroupCount = 4;
    static constexpr size_t kCustomGroupBytes = 512;
    static constexpr size_t kBitmapBytes = 64;
    static constexpr uint8_t kMacroUnits = 32;   // 4096 bytes

    KeyboardFirmware();

    // 3 x slot count bytes of `layer` (1 or 2) for `profile`; empty for a bad argument.
    std::vector<uint8_t> KeyMap(int layer, int profile = 0) const;
    std::vector<uint8_t> SlotBytes() const;
    std::vector<uint8_t> CustomColours(int group) const;   // 3 x slot count bytes
    void SetCustomColour(int group, size_t slot, uint8_t red, uint8_t green, uint8_t blue);
    std::vector<uint8_t> CustomBitmap() const;
    std::vector<uint8_t> LightFrame() const;
    std::vector<uint8_t> MacroMemory() const;
    bool HostLightingActive() const;   // set by command 0x1C, kept until power-off

    // The factory key map (layer 1) as 3 x slot count bytes.
    static std::vector<uint8_t> FactoryKeyMap();

private:
    std::optional<uint8_t> Execute(uint8_t command, CommandContext& ctx) override;

    uint8_t OnReadKeyMap(CommandContext& ctx);
    uint8_t OnWriteKeyMap(CommandContext& ctx);
    uint8_t OnWriteKeyMapLayer2(CommandContext& ctx);
    uint8_t OnReadSlotBytes(CommandContext& ctx);
    uint8_t OnReadCustomColours(CommandContext& ctx);
    uint8_t OnWriteCustomBitmap(CommandContext& ctx);
    uint8_t OnLightFrame(CommandContext& ctx);
    uint8_t OnWriteMacros(CommandContext& ctx);
    uint8_t OnHostLighting(CommandContext& ctx);

    std::vector<uint8_t> keyMap1_;
    std::vector<uint8_t> keyMap2_;
    std::vector<uint8_t> slotBytes_;
    std::vector<uint8_t> colours_;
    std::vector<uint8_t> bitmap_;
    std::vector<uint8_t> lightFrame_;
    std::vector<uint8_t> macros_;
    bool hostLighting_ = false;
};

}  // namespace dw::emu
