#include "keyboard/KeyEntry.h"

namespace dw {
namespace {

void PutNumber(PackedKeyEntry& out, size_t at, uint16_t number) {
  out[at] = static_cast<uint8_t>(number & 0xFF);
  out[at + 1] = static_cast<uint8_t>(number >> 8);
}

void PutAssignment(PackedKeyEntry& out, size_t at, const Assignment& a) {
  out[at] = a.type;
  out[at + 1] = a.value1;
  out[at + 2] = a.value2;
}

uint16_t GetNumber(std::span<const uint8_t> in, size_t at) {
  return static_cast<uint16_t>(in[at] | (in[at + 1] << 8));
}

Assignment GetAssignment(std::span<const uint8_t> in, size_t at) { return {in[at], in[at + 1], in[at + 2]}; }

}  // namespace

PackedKeyEntry PackKeyEntry(const KeyEntry& entry) {
  PackedKeyEntry out{};
  PutNumber(out, keyentry::kNumber, entry.number);
  PutAssignment(out, keyentry::kCurrent, entry.current);
  PutNumber(out, keyentry::kDefaultNumber, entry.defaultNumber);
  PutAssignment(out, keyentry::kDefault, entry.defaults);
  return out;
}

std::optional<KeyEntry> UnpackKeyEntry(std::span<const uint8_t> bytes) {
  if (bytes.size() != keyentry::kSize) {
    return std::nullopt;
  }
  KeyEntry entry;
  entry.number = GetNumber(bytes, keyentry::kNumber);
  entry.current = GetAssignment(bytes, keyentry::kCurrent);
  entry.defaultNumber = GetNumber(bytes, keyentry::kDefaultNumber);
  entry.defaults = GetAssignment(bytes, keyentry::kDefault);
  return entry;
}

}  // namespace dw
