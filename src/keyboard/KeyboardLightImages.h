#pragma once

// The lighting images exchanged with the keyboard for the custom-light effect: the bitmap of
// lit keys (command 0x0B) and the custom colours read back from a group (command 0x0A). Both
// are addressed by the keys' light positions (KeySlotMaps).

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "keyboard/KeySlotMaps.h"
#include "keyboard/LightingTables.h"

namespace dw {

namespace customlight {
inline constexpr size_t kBitmapSize = 21;
// Light position p is bit p / 19 of byte p mod 19; bytes 19 and 20 stay 0.
inline constexpr size_t kBitmapRows = 19;
inline constexpr size_t kBitsPerByte = 8;
// Positions from here on have no bit in a byte and cannot be sent.
inline constexpr size_t kMaxPositions = kBitmapRows * kBitsPerByte;  // 152
inline constexpr uint16_t kBitmapOffset = 0;
inline constexpr size_t kColourBytes = 3;  // red, green, blue per light position
}  // namespace customlight

using CustomLightBitmap = std::array<uint8_t, customlight::kBitmapSize>;

// The bitmap of the keys whose flag in `litByLogicalKey` (one byte per logical key, non-zero =
// lit) is set and whose light position is known.
CustomLightBitmap BuildCustomLightBitmap(std::span<const uint8_t> litByLogicalKey, const LogicalKeyMap& lightPositions);

struct KeyColour {
  size_t logicalKey = 0;
  lighting::Rgb colour;
  friend bool operator==(const KeyColour&, const KeyColour&) = default;
};

// The colour of every key with a light position from a custom colour image (red, green, blue at
// 3 x position). Keys whose bytes lie beyond the image are left out.
std::vector<KeyColour> CustomColoursByKey(std::span<const uint8_t> colourImage, const LogicalKeyMap& lightPositions);

}  // namespace dw
