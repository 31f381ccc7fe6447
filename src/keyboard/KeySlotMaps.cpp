#include "keyboard/KeySlotMaps.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace dw {
namespace {

// Light positions are counted over the lit slots only: each row of grid keys sits one slot
// further from its light than the row before.
struct LightOffsetBand {
  size_t firstKey;
  size_t lastKey;
  uint8_t offset;
};
constexpr std::array<LightOffsetBand, 5> kLightOffsets{{
    {21, 40, 1},
    {41, 61, 2},
    {62, 82, 3},
    {83, 103, 4},
    {104, 124, 5},
}};

// Positions owned by the navigation keys and Fn; any other key that computes one gets none.
struct FixedLight {
  size_t key;
  uint8_t position;
};
constexpr std::array<FixedLight, 6> kFixedLights{{
    {36, 33},   // Home
    {37, 52},   // Page Up
    {56, 14},   // Delete
    {57, 34},   // End
    {58, 53},   // Page Down
    {110, 102}, // Fn
}};

uint8_t LightOffsetOf(size_t key) {
  for (const LightOffsetBand& band : kLightOffsets) {
    if (key >= band.firstKey && key <= band.lastKey) {
      return band.offset;
    }
  }
  return 0;
}

bool IsFixedPosition(unsigned position) {
  return std::any_of(kFixedLights.begin(), kFixedLights.end(),
                     [position](const FixedLight& f) { return f.position == position; });
}

}  // namespace

LogicalKeyMap BuildSlotMap(std::span<const uint8_t> layer1Image, size_t slotCount) {
  LogicalKeyMap slots;
  slots.fill(slotmap::kNone);
  const size_t searched =
      std::min({slotCount, layer1Image.size() / assignment::kSize, slotmap::kMaxSlots});
  for (size_t key = 0; key < logicalkey::kCount; ++key) {
    const Assignment wanted = DefaultAssignmentOf(key);
    if (wanted == logicalkey::kNoKey) {
      continue;
    }
    for (size_t slot = 0; slot < searched; ++slot) {
      const uint8_t* bytes = layer1Image.data() + slot * assignment::kSize;
      if (Assignment{bytes[0], bytes[1], bytes[2]} == wanted) {
        slots[key] = static_cast<uint8_t>(slot);
        break;
      }
    }
  }
  return slots;
}

LogicalKeyMap BuildSlotMap(std::span<const uint8_t> layer1Image, size_t slotCount, std::span<const KeyEntry> keys) {
  LogicalKeyMap slots;
  slots.fill(slotmap::kNone);
  const size_t searched =
      std::min({slotCount, layer1Image.size() / assignment::kSize, slotmap::kMaxSlots});
  const auto codeAt = [&](size_t slot) {
    const uint8_t* bytes = layer1Image.data() + slot * assignment::kSize;
    return Assignment{bytes[0], bytes[1], bytes[2]};
  };
  std::array<bool, slotmap::kMaxSlots> claimed{};
  const auto claim = [&](size_t key, size_t slot) {
    slots[key] = static_cast<uint8_t>(slot);
    claimed[slot] = true;
  };
  // The keys that take part: those that stand for a key of the keyboard, with the code their
  // slot should hold now (the assignment last written; the default when the list lacks the key).
  std::array<std::optional<Assignment>, logicalkey::kCount> expected{};
  for (size_t key = 0; key < logicalkey::kCount; ++key) {
    if (DefaultAssignmentOf(key) != logicalkey::kNoKey) {
      expected[key] = key < keys.size() ? keys[key].current : DefaultAssignmentOf(key);
    }
  }

  // 1. By the code each slot should hold. Several keys may expect one code (Caps Lock remapped
  //    to Left Ctrl): when exactly as many slots hold it as keys expect it, they are paired in
  //    order, since the keyboard keeps its keys in the same row-major order as the logical
  //    numbering. Any other count leaves those keys to the next steps.
  std::array<bool, logicalkey::kCount> visited{};
  for (size_t key = 0; key < logicalkey::kCount; ++key) {
    if (!expected[key] || visited[key]) {
      continue;
    }
    const Assignment code = *expected[key];
    std::vector<size_t> wanting;
    for (size_t other = key; other < logicalkey::kCount; ++other) {
      if (expected[other] && *expected[other] == code) {
        wanting.push_back(other);
        visited[other] = true;
      }
    }
    std::vector<size_t> holding;
    for (size_t slot = 0; slot < searched; ++slot) {
      if (codeAt(slot) == code) {
        holding.push_back(slot);
      }
    }
    if (holding.size() == wanting.size()) {
      for (size_t i = 0; i < wanting.size(); ++i) {
        claim(wanting[i], holding[i]);
      }
    }
  }

  // 2. By default code, the first slot nobody claimed: a keyboard that lost what was written
  //    (reset to its factory map) still has its keys found.
  for (size_t key = 0; key < logicalkey::kCount; ++key) {
    if (!expected[key] || slots[key] != slotmap::kNone) {
      continue;
    }
    const Assignment wanted = DefaultAssignmentOf(key);
    for (size_t slot = 0; slot < searched; ++slot) {
      if (!claimed[slot] && codeAt(slot) == wanted) {
        claim(key, slot);
        break;
      }
    }
  }

  // 3. By the current assignment, when exactly one unclaimed slot holds it.
  for (size_t key = 0; key < logicalkey::kCount; ++key) {
    if (!expected[key] || slots[key] != slotmap::kNone) {
      continue;
    }
    std::optional<size_t> found;
    size_t candidates = 0;
    for (size_t slot = 0; slot < searched; ++slot) {
      if (!claimed[slot] && codeAt(slot) == *expected[key]) {
        ++candidates;
        found = slot;
      }
    }
    if (candidates == 1) {
      claim(key, *found);
    }
  }
  return slots;
}

LogicalKeyMap BuildLightMap(const LogicalKeyMap& slotMap) {
  LogicalKeyMap lights;
  lights.fill(slotmap::kNone);
  for (size_t key = 0; key < logicalkey::kGridCount; ++key) {
    const uint8_t slot = slotMap[key];
    if (slot == slotmap::kNone) {
      continue;
    }
    const uint8_t offset = LightOffsetOf(key);
    if (slot < offset) {
      continue;  // before the first lit slot: the key has no light
    }
    const unsigned position = slot - offset;
    if (!IsFixedPosition(position)) {
      lights[key] = static_cast<uint8_t>(position);
    }
  }
  for (const FixedLight& fixed : kFixedLights) {
    if (slotMap[fixed.key] != slotmap::kNone) {
      lights[fixed.key] = fixed.position;
    }
  }
  return lights;
}

void KeySlotMaps::Rebuild(std::span<const uint8_t> layer1Image, size_t slotCount, std::span<const KeyEntry> keys) {
  slots_ = BuildSlotMap(layer1Image, slotCount, keys);
  lights_ = BuildLightMap(slots_);
}

KeySlotMaps::KeySlotMaps() {
  slots_.fill(slotmap::kNone);
  lights_.fill(slotmap::kNone);
}

void KeySlotMaps::Rebuild(std::span<const uint8_t> layer1Image, size_t slotCount) {
  slots_ = BuildSlotMap(layer1Image, slotCount);
  lights_ = BuildLightMap(slots_);
}

uint8_t KeySlotMaps::SlotOf(size_t logicalKey) const {
  return logicalKey < slots_.size() ? slots_[logicalKey] : slotmap::kNone;
}

uint8_t KeySlotMaps::LightPositionOf(size_t logicalKey) const {
  return logicalKey < lights_.size() ? lights_[logicalKey] : slotmap::kNone;
}

std::optional<size_t> KeySlotMaps::LogicalKeyOfSlot(size_t slot) const {
  if (slot >= slotmap::kNone) {
    return std::nullopt;
  }
  for (size_t key = 0; key < slots_.size(); ++key) {
    if (slots_[key] == slot) {
      return key;
    }
  }
  return std::nullopt;
}

}  // namespace dw
