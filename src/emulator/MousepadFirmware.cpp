#include "emulator/MousepadFirmware.h"

#include <array>

namespace dw::emu {

MousepadFirmware::MousepadFirmware()
    : DeviceFirmware(DeviceModel::Mousepad, kProfileBytes * kProfileCount)
{
    batteryPowered_ = false;
    // Factory lighting of each profile: effect code 1, full brightness, middle speed, white.
    for (int p = 0; p < kProfileCount; ++p) {
        uint8_t* profile = settings_.data() + kProfileBytes * static_cast<size_t>(p);
        profile[1] = 0x01;
        profile[2] = 4;
        profile[3] = 2;
        profile[5] = 1;
        profile[6] = profile[7] = profile[8] = 0xFF;
    }
    settings_[0] = 0;
}

void MousepadFirmware::SetPhone(uint8_t phoneType)
{
    std::lock_guard lock(mutex_);
    phoneType_ = phoneType;
}

std::optional<uint8_t> MousepadFirmware::Execute(uint8_t command, CommandContext& ctx)
{
    static constexpr auto kCommands = std::to_array<CommandHandler<MousepadFirmware>>({
        {cmd::kBegin, &MousepadFirmware::OnBegin},
        {cmd::kEnd, &MousepadFirmware::OnEnd},
        {cmd::kReadInfo, &MousepadFirmware::OnReadInfo},
        {cmd::kReadSettings, &MousepadFirmware::OnReadSettings},
        {cmd::kWriteSettings, &MousepadFirmware::OnWriteSettings},
        {cmd::kReadStatus, &MousepadFirmware::OnReadStatus},
    });
    return Dispatch(*this, kCommands, command, ctx);
}

}  // namespace dw::emu
