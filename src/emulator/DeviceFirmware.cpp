#include "emulator/DeviceFirmware.h"

#include <algorithm>

namespace dw::emu {

DeviceFirmware::DeviceFirmware(DeviceModel model, size_t settingsBytes)
    : settings_(settingsBytes, 0), model_(model)
{
    info_[info::kProtocolVersion] = 0x01;
    info_[info::kFirmwareLow] = static_cast<uint8_t>(DescribeModel(model).cable.version & 0xFF);
    info_[info::kFirmwareHigh] = static_cast<uint8_t>(DescribeModel(model).cable.version >> 8);
    info_[info::kLinkState] = info::kLinked;
}

Report DeviceFirmware::NotLinkedReply()
{
    Report reply{};
    reply[frame::kReportId] = frame::kCommandReportId;
    reply[frame::kCommand] = frame::kNotLinkedEcho;
    SealFrame(reply);
    return reply;
}

std::optional<Report> DeviceFirmware::HandleCommand(std::span<const uint8_t> report, Link link)
{
    if (report.size() != kReportSize || report[frame::kReportId] != frame::kCommandReportId)
        return std::nullopt;
    Report request;
    std::copy(report.begin(), report.end(), request.begin());

    std::lock_guard lock(mutex_);
    const uint8_t command = FrameCommand(request);
    ++commandCounts_[command];
    if (!FrameChecksumValid(request))
        return BuildStatusReply(request, frame::kStatusRejected);
    const uint8_t length = FrameLength(request);
    if (length > frame::kMaxData)
        return BuildStatusReply(request, frame::kStatusRejected);

    Report reply = BuildStatusReply(request, kStatusOk);
    std::span<uint8_t> replyData = std::span<uint8_t>(reply).subspan(frame::kData, length);
    CommandContext ctx{request, reply, link, length, FrameOffset(request),
                       std::span<const uint8_t>(request).subspan(frame::kData, length), replyData};
    const uint8_t statusByte = Execute(command, ctx).value_or(frame::kStatusRejected);
    if (statusByte != kStatusOk)
        std::fill(reply.begin() + frame::kData, reply.end(), 0);
    reply[frame::kStatus] = statusByte;
    SealFrame(reply);
    return reply;
}

void DeviceFirmware::HandleOutputReport(std::span<const uint8_t>) {}

uint8_t DeviceFirmware::ReadRegion(std::span<const uint8_t> memory, size_t base, CommandContext& ctx)
{
    const size_t start = base + ctx.offset;
    if (start > memory.size() || memory.size() - start < ctx.length)
        return frame::kStatusRefused;
    std::copy_n(memory.begin() + static_cast<ptrdiff_t>(start), ctx.length, ctx.replyData.begin());
    return kStatusOk;
}

uint8_t DeviceFirmware::WriteRegion(std::span<uint8_t> memory, size_t base, const CommandContext& ctx)
{
    const size_t start = base + ctx.offset;
    if (start > memory.size() || memory.size() - start < ctx.length)
        return frame::kStatusRefused;
    std::copy(ctx.data.begin(), ctx.data.end(), memory.begin() + static_cast<ptrdiff_t>(start));
    return kStatusOk;
}

uint8_t DeviceFirmware::OnBegin(CommandContext&)
{
    sessionOpen_ = true;
    ++beginCount_;
    return kStatusOk;
}

uint8_t DeviceFirmware::OnEnd(CommandContext&)
{
    sessionOpen_ = false;
    ++endCount_;
    return kStatusOk;
}

uint8_t DeviceFirmware::OnReadInfo(CommandContext& ctx) { return ReadRegion(info_, 0, ctx); }

uint8_t DeviceFirmware::OnReadSettings(CommandContext& ctx) { return ReadRegion(settings_, 0, ctx); }

uint8_t DeviceFirmware::OnWriteSettings(CommandContext& ctx) { return WriteRegion(settings_, 0, ctx); }

uint8_t DeviceFirmware::OnReadStatus(CommandContext& ctx)
{
    const auto block = BuildStatus(ctx.link);
    return ReadRegion(block, 0, ctx);
}

// Answered by the device itself, so it is linked whichever way the query arrived; the
// receiver answers for a device it cannot reach before the query gets here.
uint8_t DeviceFirmware::OnLinkQuery(CommandContext& ctx)
{
    ctx.reply[frame::kData] = kLinkQueryLinked;
    return kStatusOk;
}

std::array<uint8_t, status::kSize> DeviceFirmware::BuildStatus(Link link) const
{
    std::array<uint8_t, status::kSize> block{};
    block[status::kBattery] = batteryPowered_ ? battery_ : 100;
    uint8_t power = status::kPowered;
    if (powerState_)
        power = *powerState_;
    else if (batteryPowered_ && link == Link::Receiver)
        power = status::kOnBattery;
    else if (batteryPowered_ && battery_ < 100)
        power = status::kCharging;   // the cable charges the battery
    block[status::kPowerState] = power;
    block[status::kThroughReceiver] = link == Link::Receiver ? 1 : 0;
    block[status::kMode] = modeByte_;
    block[status::kPhone] = phoneType_;
    return block;
}

std::vector<uint8_t> DeviceFirmware::InfoBlock() const
{
    std::lock_guard lock(mutex_);
    return {info_.begin(), info_.end()};
}

std::vector<uint8_t> DeviceFirmware::SettingsMemory() const
{
    std::lock_guard lock(mutex_);
    return settings_;
}

void DeviceFirmware::SetSettingsMemory(size_t offset, std::span<const uint8_t> bytes)
{
    std::lock_guard lock(mutex_);
    if (offset > settings_.size())
        return;
    const size_t count = std::min(bytes.size(), settings_.size() - offset);
    std::copy_n(bytes.begin(), count, settings_.begin() + static_cast<ptrdiff_t>(offset));
}

std::vector<uint8_t> DeviceFirmware::StatusBlock(Link link) const
{
    std::lock_guard lock(mutex_);
    const auto block = BuildStatus(link);
    return {block.begin(), block.end()};
}

void DeviceFirmware::SetBattery(uint8_t level)
{
    std::lock_guard lock(mutex_);
    battery_ = std::min<uint8_t>(level, 100);
}

void DeviceFirmware::SetPowerState(std::optional<uint8_t> state)
{
    std::lock_guard lock(mutex_);
    powerState_ = state;
}

void DeviceFirmware::SetModeByte(uint8_t mode)
{
    std::lock_guard lock(mutex_);
    modeByte_ = mode;
}

uint8_t DeviceFirmware::ActiveProfile() const
{
    std::lock_guard lock(mutex_);
    return settings_[0];
}

void DeviceFirmware::SetActiveProfile(uint8_t profile)
{
    std::lock_guard lock(mutex_);
    settings_[0] = profile;
}

int DeviceFirmware::BeginCount() const
{
    std::lock_guard lock(mutex_);
    return beginCount_;
}

int DeviceFirmware::EndCount() const
{
    std::lock_guard lock(mutex_);
    return endCount_;
}

bool DeviceFirmware::SessionOpen() const
{
    std::lock_guard lock(mutex_);
    return sessionOpen_;
}

int DeviceFirmware::CommandCount(uint8_t command) const
{
    std::lock_guard lock(mutex_);
    return commandCounts_[command];
}

}  // namespace dw::emu
