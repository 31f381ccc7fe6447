#pragma once

// What the keyboard object keeps of the keyboard between exchanges: the images the last reads
// brought back, which every later write starts from.

#include <cstdint>
#include <vector>

#include "keyboard/KeyboardProtocol.h"
#include "keyboard/KeyboardSettingsBlock.h"
#include "keyboard/KeySlotMaps.h"

namespace dw {

struct KeyboardDeviceCache {
  InfoBlock info{};                 // command 0x03; byte 5 slot count, 6 macro units, 7 link state
  std::vector<uint8_t> layer1;      // 3 x slot count bytes, command 0x07
  std::vector<uint8_t> slotBytes;   // slot count bytes, command 0x1B; kept, not interpreted
  std::vector<uint8_t> layer2;      // the last layer-2 image built for a write; never read back
  SettingsBlock settings{};         // the last settings block read (byte 16 forced to 0)
  uint8_t activeProfile = 0;        // the keyboard's on-board profile
  KeySlotMaps slotMaps;             // rebuilt from `layer1` after every key map read
};

}  // namespace dw
