#pragma once

// The text form of a 64-byte report in the transaction log: two rows of 32 bytes, each byte as
// two lower-case hexadecimal digits, bytes separated by one space and groups of four by two.

#include <array>
#include <string>

#include "transport/CommandFrame.h"

namespace dw {

inline constexpr size_t kFrameLogRowBytes = 32;
inline constexpr size_t kFrameLogGroupBytes = 4;

std::array<std::wstring, kReportSize / kFrameLogRowBytes> FrameLogRows(const Report& report);

}  // namespace dw
