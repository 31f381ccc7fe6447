#include "keyboard/KeyTable.h"

namespace dw {

std::optional<size_t> FindKeyRowByCode(const Assignment& code) {
  for (size_t i = 0; i < kKeyTable.size(); ++i) {
    if (kKeyTable[i].code == code) {
      return i;
    }
  }
  return std::nullopt;
}

std::optional<size_t> FindKeyRowByScanCode(uint8_t scanCode, bool extended) {
  const uint16_t wanted = static_cast<uint16_t>(scanCode | (extended ? keytable::kExtendedScanFlag : 0));
  if (wanted == keytable::kNoScanCode) {
    return std::nullopt;
  }
  for (size_t i = 0; i < keytable::kScanCodeRowCount; ++i) {
    if (kKeyTable[i].scanCode == wanted) {
      return i;
    }
  }
  return std::nullopt;
}

}  // namespace dw
