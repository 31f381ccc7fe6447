#pragma once

// One logical key's entry in a key list: its number, its current assignment and the default
// assignment that identifies the key. Keyboard objects and profiles keep one per logical key;
// in memory it is 12 bytes: number (16 bits, low byte first), current assignment, 0, number
// again, default assignment, 0.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "keyboard/Assignment.h"

namespace dw {

namespace keyentry {
inline constexpr size_t kSize = 12;
inline constexpr size_t kNumber = 0;            // 2 bytes
inline constexpr size_t kCurrent = 2;           // 3 bytes
inline constexpr size_t kCurrentPad = 5;
inline constexpr size_t kDefaultNumber = 6;     // 2 bytes
inline constexpr size_t kDefault = 8;           // 3 bytes
inline constexpr size_t kDefaultPad = 11;
}  // namespace keyentry

using PackedKeyEntry = std::array<uint8_t, keyentry::kSize>;

struct KeyEntry {
  uint16_t number = 0;
  Assignment current;
  uint16_t defaultNumber = 0;  // kept as found; a well-formed entry repeats `number`
  Assignment defaults;

  // The key still does what it does out of the box. Key numbers are not compared.
  constexpr bool IsUnchanged() const { return current == defaults; }

  // Bytes 0..5 take bytes 6..11: the key gets its default assignment back.
  constexpr void ResetToDefault() {
    number = defaultNumber;
    current = defaults;
  }

  friend constexpr bool operator==(const KeyEntry&, const KeyEntry&) = default;
};

// An entry for logical key `number` with the given assignments.
constexpr KeyEntry MakeKeyEntry(uint16_t number, const Assignment& current, const Assignment& defaults) {
  return KeyEntry{number, current, number, defaults};
}

PackedKeyEntry PackKeyEntry(const KeyEntry& entry);

// Reads an entry from exactly keyentry::kSize bytes; any other length gives nothing. The
// padding bytes are not checked.
std::optional<KeyEntry> UnpackKeyEntry(std::span<const uint8_t> bytes);

}  // namespace dw
