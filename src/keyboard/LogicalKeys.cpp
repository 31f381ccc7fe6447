#include "keyboard/LogicalKeys.h"

namespace dw {

std::optional<size_t> LogicalKeyOfDefault(const Assignment& defaults) {
  if (defaults == logicalkey::kNoKey) {
    return std::nullopt;
  }
  for (size_t key = 0; key < logicalkey::kGridCount; ++key) {
    if (DefaultAssignmentOf(key) == defaults) {
      return key;
    }
  }
  return std::nullopt;
}

std::vector<KeyEntry> MakeDefaultKeyList() {
  std::vector<KeyEntry> list;
  list.reserve(logicalkey::kCount);
  for (size_t key = 0; key < logicalkey::kCount; ++key) {
    const Assignment defaults = DefaultAssignmentOf(key);
    list.push_back(MakeKeyEntry(static_cast<uint16_t>(key), defaults, defaults));
  }
  return list;
}

}  // namespace dw
