#pragma once

// The macro image the keyboard keeps in its macro memory (command 0x15), built from the macros
// that keys refer to, in device macro-slot order:
//
//   offset 0      2 bytes   magic AA 55
//   offset 2      2 bytes   total image length
//   offset 4      2 bytes   macro count n
//   offset 6      10 bytes  0
//   offset 16     2 x n     offset of each macro's record from the start of the image
//   offset 16+2n  ...       the records: event count (2 bytes), 2 zero bytes, 4 bytes per event
//
// An event is its delay (2 bytes), its type with bit 7 set for a key or button going down, and
// its button. All numbers little-endian.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace dw {

namespace macroimage {
inline constexpr uint8_t kMagicLow = 0xAA;
inline constexpr uint8_t kMagicHigh = 0x55;
inline constexpr size_t kMagic = 0;
inline constexpr size_t kLength = 2;
inline constexpr size_t kCount = 4;
inline constexpr size_t kHeaderSize = 16;
inline constexpr size_t kOffsetEntrySize = 2;
inline constexpr size_t kRecordHeaderSize = 4;  // event count, 2 zero bytes
inline constexpr size_t kEventSize = 4;
inline constexpr size_t kEventDelay = 0;
inline constexpr size_t kEventType = 2;
inline constexpr size_t kEventButton = 3;
inline constexpr uint8_t kDownBit = 0x80;
// The largest delay an event can carry; longer delays are sent as this.
inline constexpr uint32_t kMaxDelay = 0xFFFF;
}  // namespace macroimage

// One event of a macro in the form the keyboard stores.
struct MacroDeviceEvent {
  uint32_t delay = 0;  // milliseconds; sent as 16 bits, saturated
  uint8_t type = 0;    // bit 7 is set on the device when `down`
  bool down = false;
  uint8_t button = 0;
  friend bool operator==(const MacroDeviceEvent&, const MacroDeviceEvent&) = default;
};

using MacroEvents = std::vector<MacroDeviceEvent>;

// Where the macros come from: the macro list and the event files. The macro files are read by
// the macro code; the keyboard layer only needs these two answers.
class IMacroSource {
 public:
  virtual ~IMacroSource() = default;
  // The number of macros in the macro list; empty when the list cannot be read.
  virtual std::optional<size_t> MacroCount() const = 0;
  // The events of macro `index` of the list; empty when its file cannot be read.
  virtual std::optional<MacroEvents> Events(size_t index) const = 0;
};

// Length of the image of `eventCounts` (one entry per macro): 16 + 6 n + 4 x events.
uint64_t MacroImageLength(std::span<const size_t> eventCounts);

// The excess reported when an image of `length` bytes does not fit in `capacity` bytes: the
// excess in 4-byte events plus one. 0 when it fits.
size_t MacroImageExcess(uint64_t length, size_t capacity);

// The image of `macros` in list order. Empty for an empty list. The caller checks the length
// against the capacity first; an image whose length or one of whose counts does not fit in 16
// bits is never built (empty result).
std::vector<uint8_t> BuildMacroImage(std::span<const MacroEvents> macros);

}  // namespace dw
