#pragma once

// Where each logical key lives on the keyboard at hand. After every layer-1 key map read the
// keyboard object rebuilds two maps from logical key (0..169) to a number: the key slot that
// holds the key's default assignment, and the light position of the key. kNone marks a key
// the keyboard does not have (or, for the light map, a key without a light).

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "keyboard/KeyEntry.h"
#include "keyboard/LogicalKeys.h"

namespace dw {

namespace slotmap {
inline constexpr uint8_t kNone = 255;
// A key map image is at most 512 bytes, so a keyboard has at most 170 slots.
inline constexpr size_t kMaxKeyMapBytes = 512;
inline constexpr size_t kMaxSlots = kMaxKeyMapBytes / assignment::kSize;
}  // namespace slotmap

using LogicalKeyMap = std::array<uint8_t, logicalkey::kCount>;

// For each logical key, the first slot below `slotCount` whose three bytes in the layer-1
// image equal the key's default assignment. Slots beyond the image or beyond
// slotmap::kMaxSlots are not searched. The "no key" code finds no slot, so keys that stand for
// no key never share a blank slot.
LogicalKeyMap BuildSlotMap(std::span<const uint8_t> layer1Image, size_t slotCount);

// The slot map when the key list the program last wrote is known (`keys`, entry i for logical
// key i). A key the program remapped no longer has its default code in its slot, so matching by
// default code alone loses it after the next read, and the key could never be written again.
// Here each key is found, in this order of preference:
//   1. by the code its slot should hold now (its current assignment), when exactly as many
//      slots hold that code as keys expect it (paired in slot order, which follows the logical
//      order on the keyboard: Caps Lock remapped to Left Ctrl keeps both keys apart);
//   2. by its default code, in the first slot no other key claimed (a keyboard reset to its
//      factory map);
//   3. by its current assignment, when exactly one unclaimed slot holds it.
// Otherwise the key has no slot, and writes skip it.
LogicalKeyMap BuildSlotMap(std::span<const uint8_t> layer1Image, size_t slotCount, std::span<const KeyEntry> keys);

// The light position of each grid key that has a slot: the slot, less the count of slots that
// carry no light before the key's row, with the fixed positions of the keys around the
// navigation block. Keys without a slot, keys whose position would fall below 0 and keys
// 126..169 get slotmap::kNone.
LogicalKeyMap BuildLightMap(const LogicalKeyMap& slotMap);

class KeySlotMaps {
 public:
  KeySlotMaps();

  // Rebuilds both maps from a layer-1 key map image.
  void Rebuild(std::span<const uint8_t> layer1Image, size_t slotCount);
  // The same, with the remapped keys of `keys` found again (BuildSlotMap with a key list).
  void Rebuild(std::span<const uint8_t> layer1Image, size_t slotCount, std::span<const KeyEntry> keys);

  uint8_t SlotOf(size_t logicalKey) const;           // slotmap::kNone when none
  uint8_t LightPositionOf(size_t logicalKey) const;  // slotmap::kNone when none
  // The logical key whose slot is `slot` (the keyboard reports key presses by slot).
  std::optional<size_t> LogicalKeyOfSlot(size_t slot) const;

  const LogicalKeyMap& Slots() const { return slots_; }
  const LogicalKeyMap& LightPositions() const { return lights_; }

 private:
  LogicalKeyMap slots_;
  LogicalKeyMap lights_;
};

}  // namespace dw
