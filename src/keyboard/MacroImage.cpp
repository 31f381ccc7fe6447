#include "keyboard/MacroImage.h"

#include <algorithm>

namespace dw {
namespace {

constexpr uint64_t kMax16 = 0xFFFF;

void Put16(std::vector<uint8_t>& image, size_t at, uint64_t value) {
  image[at] = static_cast<uint8_t>(value & 0xFF);
  image[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

uint64_t MacroImageLength(std::span<const size_t> eventCounts) {
  using namespace macroimage;
  uint64_t length = kHeaderSize;
  for (size_t count : eventCounts) {
    length += kOffsetEntrySize + kRecordHeaderSize + uint64_t{kEventSize} * count;
  }
  return length;
}

size_t MacroImageExcess(uint64_t length, size_t capacity) {
  if (length <= capacity) {
    return 0;
  }
  return static_cast<size_t>(((length - capacity) >> 2) + 1);
}

std::vector<uint8_t> BuildMacroImage(std::span<const MacroEvents> macros) {
  using namespace macroimage;
  if (macros.empty()) {
    return {};
  }
  std::vector<size_t> counts;
  counts.reserve(macros.size());
  for (const MacroEvents& events : macros) {
    counts.push_back(events.size());
  }
  const uint64_t length = MacroImageLength(counts);
  if (length > kMax16) {
    return {};
  }

  std::vector<uint8_t> image(static_cast<size_t>(length), 0);
  image[kMagic] = kMagicLow;
  image[kMagic + 1] = kMagicHigh;
  Put16(image, kLength, length);
  Put16(image, kCount, macros.size());

  size_t record = kHeaderSize + kOffsetEntrySize * macros.size();
  for (size_t m = 0; m < macros.size(); ++m) {
    Put16(image, kHeaderSize + kOffsetEntrySize * m, record);
    Put16(image, record, macros[m].size());
    size_t at = record + kRecordHeaderSize;
    for (const MacroDeviceEvent& event : macros[m]) {
      Put16(image, at + kEventDelay, std::min(event.delay, kMaxDelay));
      image[at + kEventType] = event.down ? static_cast<uint8_t>(event.type | kDownBit) : event.type;
      image[at + kEventButton] = event.button;
      at += kEventSize;
    }
    record = at;
  }
  return image;
}

}  // namespace dw
