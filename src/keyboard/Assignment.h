#pragma once

// A key assignment: the 3-byte function code a device runs when a key or button is pressed
// (type, value 1, value 2). Key maps hold it in that byte order; profile documents hold it as
// one integer, type x 65536 + value 1 x 256 + value 2.

#include <cstdint>
#include <optional>

namespace dw {

struct Assignment {
  uint8_t type = 0;
  uint8_t value1 = 0;
  uint8_t value2 = 0;

  friend constexpr bool operator==(const Assignment&, const Assignment&) = default;
};

namespace assignment {
inline constexpr int64_t kJsonTypeFactor = 65536;
inline constexpr int64_t kJsonValue1Factor = 256;
// The largest integer a document may hold for an assignment: 0xFF 0xFF 0xFF.
inline constexpr int64_t kJsonMax = 0xFFFFFF;
inline constexpr size_t kSize = 3;  // bytes in a key map slot
}  // namespace assignment

// The integer a profile document stores for `a`.
constexpr int64_t AssignmentToJsonInt(const Assignment& a) {
  return a.type * assignment::kJsonTypeFactor + a.value1 * assignment::kJsonValue1Factor + a.value2;
}

// The assignment a document integer stands for. A document may hold anything; a negative
// number or one above 0xFFFFFF is not an assignment and gives nothing, so the caller keeps
// its default instead of a truncated code.
constexpr std::optional<Assignment> AssignmentFromJsonInt(int64_t value) {
  if (value < 0 || value > assignment::kJsonMax) {
    return std::nullopt;
  }
  return Assignment{static_cast<uint8_t>(value >> 16), static_cast<uint8_t>((value >> 8) & 0xFF),
                    static_cast<uint8_t>(value & 0xFF)};
}

}  // namespace dw
