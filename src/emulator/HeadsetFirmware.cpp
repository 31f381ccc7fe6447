#include "emulator/HeadsetFirmware.h"

#include <array>

#include "emulator/EmulatedDescriptors.h"

namespace dw::emu {

namespace {

namespace led {
constexpr size_t kReportId = 0;
constexpr size_t kZone = 1;
constexpr size_t kGroup = 2;
constexpr size_t kValues = 3;
constexpr size_t kLowGroupLeds = 7;    // LEDs 0-6
constexpr size_t kHighGroupLeds = 6;   // LEDs 7-12
}  // namespace led

struct LedGroup {
    uint8_t code;
    uint8_t LedColour::*channel;
    size_t firstLed;
    size_t count;
};

constexpr std::array<LedGroup, 6> kGroups = {{
    {0xAA, &LedColour::red, 0, led::kLowGroupLeds},
    {0xAD, &LedColour::red, 7, led::kHighGroupLeds},
    {0xAB, &LedColour::green, 0, led::kLowGroupLeds},
    {0xAE, &LedColour::green, 7, led::kHighGroupLeds},
    {0xAC, &LedColour::blue, 0, led::kLowGroupLeds},
    {0xAF, &LedColour::blue, 7, led::kHighGroupLeds},
}};

}  // namespace

HeadsetFirmware::HeadsetFirmware()
    : DeviceFirmware(DeviceModel::Headset, kProfileBytes * kProfileCount)
{
    batteryPowered_ = false;
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

void HeadsetFirmware::HandleOutputReport(std::span<const uint8_t> report)
{
    if (report.size() != kHeadsetLedReportBytes || report[led::kReportId] != kHeadsetLedReportId)
        return;
    const uint8_t zone = report[led::kZone];
    if (zone != kZoneA && zone != kZoneB)
        return;
    std::lock_guard lock(mutex_);
    for (const LedGroup& group : kGroups) {
        if (group.code != report[led::kGroup])
            continue;
        auto& zoneLeds = leds_[zone == kZoneA ? 0 : 1];
        for (size_t i = 0; i < group.count; ++i)
            zoneLeds[group.firstLed + i].*group.channel = report[led::kValues + i];
        ++ledReports_;
        return;
    }
}

LedColour HeadsetFirmware::Led(uint8_t zone, size_t index) const
{
    if ((zone != kZoneA && zone != kZoneB) || index >= kLedCount)
        return {};
    std::lock_guard lock(mutex_);
    return leds_[zone == kZoneA ? 0 : 1][index];
}

int HeadsetFirmware::LedReportCount() const
{
    std::lock_guard lock(mutex_);
    return ledReports_;
}

std::optional<uint8_t> HeadsetFirmware::Execute(uint8_t command, CommandContext& ctx)
{
    static constexpr auto kCommands = std::to_array<CommandHandler<HeadsetFirmware>>({
        {cmd::kBegin, &HeadsetFirmware::OnBegin},
        {cmd::kEnd, &HeadsetFirmware::OnEnd},
        {cmd::kReadInfo, &HeadsetFirmware::OnReadInfo},
        {cmd::kReadSettings, &HeadsetFirmware::OnReadSettings},
        {cmd::kWriteSettings, &HeadsetFirmware::OnWriteSettings},
        {cmd::kReadStatus, &HeadsetFirmware::OnReadStatus},
    });
    return Dispatch(*this, kCommands, command, ctx);
}

}  // namespace dw::emu
