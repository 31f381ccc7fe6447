#pragma once

// The key map images the keyboard object writes (commands 0x09 and 0x27), built from the
// profile's key lists and the slot map of the last layer-1 read. One 3-byte assignment per key
// slot, slot s at bytes 3s..3s+2.
//
// In a profile a macro assignment names the macro by its index in the macro list; in the
// keyboard it names the macro's device slot, the record's position in the macro image. The
// slot list below is the single place that numbering is made, so the key map and the macro
// image always agree.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "keyboard/KeyEntry.h"
#include "keyboard/KeySlotMaps.h"

namespace dw {

// The distinct macro indices the layer-1 keys use, in the order the keys are visited (grid
// keys 0..125 that have a slot; the first use gets device slot 0). Macro assignments whose
// index is not below `macroCount` are not counted: those keys fall back to their default.
std::vector<size_t> CollectMacroSlots(std::span<const KeyEntry> layer1, const LogicalKeyMap& slots,
                                      size_t macroCount);

struct Layer1KeyMap {
  std::vector<uint8_t> image;       // 3 x slot count bytes
  std::vector<size_t> macroSlots;   // device slot k runs macro macroSlots[k]
};

// The layer-1 image: the cached image (cut or zero-padded to 3 x slotCount bytes), then every
// grid key with a slot takes its current assignment, macro indices translated to device slots
// and stale macro references replaced by the key's default assignment.
Layer1KeyMap BuildLayer1KeyMap(std::span<const uint8_t> cachedImage, size_t slotCount,
                               std::span<const KeyEntry> layer1, const LogicalKeyMap& slots, size_t macroCount);

// The layer-2 image: zero-filled, then every logical key with a slot takes its layer-2
// assignment. Logical key 0 is the exception: while its layer-2 assignment is its default and
// it is not `selectedKey` (the key selected in the layer-2 editor), its slot stays zero.
std::vector<uint8_t> BuildLayer2KeyMap(size_t slotCount, std::span<const KeyEntry> layer2, const LogicalKeyMap& slots,
                                       std::optional<size_t> selectedKey);

}  // namespace dw
