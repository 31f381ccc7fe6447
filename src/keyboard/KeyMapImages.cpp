#include "keyboard/KeyMapImages.h"

#include <algorithm>

#include "keyboard/FunctionTypes.h"
#include "keyboard/LogicalKeys.h"

namespace dw {
namespace {

// Logical key 0 keeps its layer-2 slot empty while it is untouched.
constexpr size_t kLayer2ExceptionKey = 0;

// The slot of `key` when the image has room for it.
std::optional<size_t> SlotInImage(const LogicalKeyMap& slots, size_t key, size_t slotCount) {
  if (key >= slots.size() || slots[key] == slotmap::kNone || slots[key] >= slotCount) {
    return std::nullopt;
  }
  return slots[key];
}

void PutAssignment(std::vector<uint8_t>& image, size_t slot, const Assignment& a) {
  const size_t at = slot * assignment::kSize;
  image[at] = a.type;
  image[at + 1] = a.value1;
  image[at + 2] = a.value2;
}

bool IsLiveMacro(const Assignment& a, size_t macroCount) { return fn::IsMacro(a.type) && a.value1 < macroCount; }

size_t GridKeysIn(std::span<const KeyEntry> keys) { return std::min(keys.size(), logicalkey::kGridCount); }

}  // namespace

std::vector<size_t> CollectMacroSlots(std::span<const KeyEntry> layer1, const LogicalKeyMap& slots,
                                      size_t macroCount) {
  std::vector<size_t> macros;
  for (size_t key = 0; key < GridKeysIn(layer1); ++key) {
    if (key >= slots.size() || slots[key] == slotmap::kNone) {
      continue;
    }
    const Assignment& a = layer1[key].current;
    if (IsLiveMacro(a, macroCount) && std::find(macros.begin(), macros.end(), a.value1) == macros.end()) {
      macros.push_back(a.value1);
    }
  }
  return macros;
}

Layer1KeyMap BuildLayer1KeyMap(std::span<const uint8_t> cachedImage, size_t slotCount,
                               std::span<const KeyEntry> layer1, const LogicalKeyMap& slots, size_t macroCount) {
  slotCount = std::min(slotCount, slotmap::kMaxSlots);
  Layer1KeyMap out;
  out.image.assign(slotCount * assignment::kSize, 0);
  std::copy_n(cachedImage.begin(), std::min(cachedImage.size(), out.image.size()), out.image.begin());
  out.macroSlots = CollectMacroSlots(layer1, slots, macroCount);

  for (size_t key = 0; key < GridKeysIn(layer1); ++key) {
    const std::optional<size_t> slot = SlotInImage(slots, key, slotCount);
    if (!slot) {
      continue;
    }
    Assignment a = layer1[key].current;
    if (fn::IsMacro(a.type)) {
      if (IsLiveMacro(a, macroCount)) {
        const auto found = std::find(out.macroSlots.begin(), out.macroSlots.end(), a.value1);
        a.value1 = static_cast<uint8_t>(found - out.macroSlots.begin());
      } else {
        a = layer1[key].defaults;
      }
    }
    PutAssignment(out.image, *slot, a);
  }
  return out;
}

std::vector<uint8_t> BuildLayer2KeyMap(size_t slotCount, std::span<const KeyEntry> layer2, const LogicalKeyMap& slots,
                                       std::optional<size_t> selectedKey) {
  slotCount = std::min(slotCount, slotmap::kMaxSlots);
  std::vector<uint8_t> image(slotCount * assignment::kSize, 0);
  const size_t keys = std::min(layer2.size(), logicalkey::kCount);
  for (size_t key = 0; key < keys; ++key) {
    const std::optional<size_t> slot = SlotInImage(slots, key, slotCount);
    if (!slot) {
      continue;
    }
    const KeyEntry& entry = layer2[key];
    if (key == kLayer2ExceptionKey && entry.IsUnchanged() && selectedKey != kLayer2ExceptionKey) {
      continue;
    }
    PutAssignment(image, *slot, entry.current);
  }
  return image;
}

}  // namespace dw
