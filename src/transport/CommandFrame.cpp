#include "transport/CommandFrame.h"

#include <algorithm>

namespace dw {

uint16_t FrameChecksum(const Report& report)
{
    uint32_t sum = 0;
    for (size_t i = frame::kCommand; i < kReportSize; ++i)
        sum += report[i];
    return static_cast<uint16_t>(sum & 0xFFFF);
}

void SealFrame(Report& report)
{
    const uint16_t sum = FrameChecksum(report);
    report[frame::kChecksumLow] = static_cast<uint8_t>(sum & 0xFF);
    report[frame::kChecksumHigh] = static_cast<uint8_t>(sum >> 8);
}

bool FrameChecksumValid(const Report& report)
{
    const uint16_t sum = FrameChecksum(report);
    return report[frame::kChecksumLow] == (sum & 0xFF) && report[frame::kChecksumHigh] == (sum >> 8);
}

Report BuildFrame(uint8_t command, uint8_t length, uint16_t offset, std::span<const uint8_t> data)
{
    Report report{};
    report[frame::kReportId] = frame::kCommandReportId;
    report[frame::kCommand] = command;
    report[frame::kLength] = length;
    report[frame::kOffsetLow] = static_cast<uint8_t>(offset & 0xFF);
    report[frame::kOffsetHigh] = static_cast<uint8_t>(offset >> 8);
    const size_t count = std::min({data.size(), frame::kMaxData, static_cast<size_t>(length)});
    std::copy_n(data.begin(), count, report.begin() + frame::kData);
    SealFrame(report);
    return report;
}

Report BuildStatusReply(const Report& request, uint8_t status)
{
    Report reply{};
    reply[frame::kReportId] = frame::kCommandReportId;
    reply[frame::kCommand] = request[frame::kCommand];
    reply[frame::kLength] = request[frame::kLength];
    reply[frame::kOffsetLow] = request[frame::kOffsetLow];
    reply[frame::kOffsetHigh] = request[frame::kOffsetHigh];
    reply[frame::kStatus] = status;
    SealFrame(reply);
    return reply;
}

uint16_t FrameOffset(const Report& report)
{
    return static_cast<uint16_t>(report[frame::kOffsetLow] | (report[frame::kOffsetHigh] << 8));
}

uint8_t FrameLength(const Report& report) { return report[frame::kLength]; }
uint8_t FrameCommand(const Report& report) { return report[frame::kCommand]; }
uint8_t FrameStatus(const Report& report) { return report[frame::kStatus]; }

std::span<const uint8_t> FrameData(const Report& report)
{
    return std::span<const uint8_t>(report).subspan(frame::kData);
}

}  // namespace dw
