#pragma once

// The 64-byte command report every device of the family speaks: report id 0x04, a 16-bit
// checksum of bytes 3..63, the command code, a length, a 16-bit offset, a status byte (0 in
// requests, the device's answer in replies) and up to 56 data bytes. Pure functions only; the
// device objects and the emulated firmware both build and read frames through them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace dw {

inline constexpr size_t kReportSize = 64;
using Report = std::array<uint8_t, kReportSize>;

namespace frame {
inline constexpr size_t kReportId = 0;
inline constexpr size_t kChecksumLow = 1;
inline constexpr size_t kChecksumHigh = 2;
inline constexpr size_t kCommand = 3;
inline constexpr size_t kLength = 4;
inline constexpr size_t kOffsetLow = 5;
inline constexpr size_t kOffsetHigh = 6;
inline constexpr size_t kStatus = 7;
inline constexpr size_t kData = 8;
inline constexpr size_t kMaxData = kReportSize - kData;  // 56
inline constexpr uint8_t kCommandReportId = 0x04;
// A receiver answers for its device; 0xAA in the command byte means the device behind it is
// not linked.
inline constexpr uint8_t kNotLinkedEcho = 0xAA;
inline constexpr uint8_t kStatusRejected = 0xFF;  // reported as -102
inline constexpr uint8_t kStatusRefused = 0xFE;   // reported as -103
}  // namespace frame
static_assert(frame::kData + frame::kMaxData == kReportSize);

// Payload bytes per frame of the chunked commands: 56 by cable, 24 through the receiver.
inline constexpr size_t kWiredChunkSize = 56;
inline constexpr size_t kReceiverChunkSize = 24;

// Sum of bytes 3..63 as unsigned bytes, truncated to 16 bits.
uint16_t FrameChecksum(const Report& report);

// Writes the checksum into bytes 1..2 (low half first). Call it last, on the finished frame.
void SealFrame(Report& report);

// True when bytes 1..2 hold the checksum of bytes 3..63.
bool FrameChecksumValid(const Report& report);

// A finished request: report id, command, length, offset, data (cut to 56 bytes and to
// `length`), checksum. Bytes beyond the data are 0.
Report BuildFrame(uint8_t command, uint8_t length, uint16_t offset, std::span<const uint8_t> data = {});

// The reply a device gives when it has no data to return: the request's command, length and
// offset echoed, `status`, no data bytes, sealed.
Report BuildStatusReply(const Report& request, uint8_t status);

uint16_t FrameOffset(const Report& report);
uint8_t FrameLength(const Report& report);
uint8_t FrameCommand(const Report& report);
uint8_t FrameStatus(const Report& report);
std::span<const uint8_t> FrameData(const Report& report);  // the 56 data bytes

}  // namespace dw
