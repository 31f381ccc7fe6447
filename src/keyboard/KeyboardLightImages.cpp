#include "keyboard/KeyboardLightImages.h"

#include <algorithm>

namespace dw {

CustomLightBitmap BuildCustomLightBitmap(std::span<const uint8_t> litByLogicalKey, const LogicalKeyMap& lightPositions) {
  using namespace customlight;
  CustomLightBitmap bitmap{};
  const size_t keys = std::min(litByLogicalKey.size(), lightPositions.size());
  for (size_t key = 0; key < keys; ++key) {
    const size_t position = lightPositions[key];
    if (litByLogicalKey[key] == 0 || position == slotmap::kNone || position >= kMaxPositions) {
      continue;
    }
    bitmap[position % kBitmapRows] |= static_cast<uint8_t>(1u << (position / kBitmapRows));
  }
  return bitmap;
}

std::vector<KeyColour> CustomColoursByKey(std::span<const uint8_t> colourImage, const LogicalKeyMap& lightPositions) {
  using namespace customlight;
  std::vector<KeyColour> colours;
  for (size_t key = 0; key < lightPositions.size(); ++key) {
    const size_t position = lightPositions[key];
    if (position == slotmap::kNone) {
      continue;
    }
    const size_t at = position * kColourBytes;
    if (at + kColourBytes > colourImage.size()) {
      continue;
    }
    colours.push_back({key, {colourImage[at], colourImage[at + 1], colourImage[at + 2]}});
  }
  return colours;
}

}  // namespace dw
