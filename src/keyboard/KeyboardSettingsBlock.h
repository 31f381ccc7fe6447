#pragma once

// The keyboard's 34-byte settings block (commands 0x05/0x06) and its translation to and from
// the profile's lighting record and system settings.
//
// The block is transferred from offset 33 x profile of the settings memory: byte 0 is the byte
// before the profile's area (the active-profile byte for profile 0), bytes 1..33 the profile's
// area. Writing is read-modify-write: the bytes the program owns are filled in, every other byte
// goes back exactly as the keyboard last sent it, since its meaning is not documented.

#include <array>
#include <cstddef>
#include <cstdint>

#include "keyboard/EffectList.h"
#include "keyboard/KeyboardSystemSettings.h"
#include "keyboard/LightingRecord.h"

namespace dw {

namespace kbsettings {
inline constexpr size_t kSize = 34;
// Bytes of the settings memory per profile; profile p's block starts at kProfileStride x p.
inline constexpr size_t kProfileStride = 33;
inline constexpr uint16_t kActiveProfileOffset = 0;
inline constexpr uint8_t kActiveProfileLength = 1;

inline constexpr size_t kActiveProfile = 0;
inline constexpr size_t kEffect = 1;
inline constexpr size_t kBrightness = 2;
inline constexpr size_t kSpeed = 3;  // stored inverted: 4 - speed level
inline constexpr size_t kDirection = 4;
inline constexpr size_t kMultiColour = 5;
inline constexpr size_t kRed = 6;
inline constexpr size_t kGreen = 7;
inline constexpr size_t kBlue = 8;
inline constexpr size_t kAlwaysZero = 16;
inline constexpr size_t kExtraState = 17;  // set from the 0x11xy notification; meaning not documented
inline constexpr size_t kModeExtension = 18;
inline constexpr size_t kWFlag = 19;
inline constexpr size_t kKey6Flag = 20;
inline constexpr size_t kWinLock = 21;
inline constexpr size_t kPollingRate = 22;
inline constexpr size_t kCustomGroup = 25;

// Brightness and speed levels run 0..4.
inline constexpr uint8_t kMaxLevel = 4;
}  // namespace kbsettings

using SettingsBlock = std::array<uint8_t, kbsettings::kSize>;

// Where profile `profile`'s block starts in the settings memory.
constexpr uint16_t SettingsBlockOffset(uint8_t profile) {
  return static_cast<uint16_t>(kbsettings::kProfileStride * profile);
}

// The block to write: `lastRead` with bytes 1..8, 16, 18..22 and 25 filled from the record and
// the system settings, and byte 0 = `activeProfileByte`.
//   byte 1: the code of the effect list entry `SelectItem`; codes 29 and 30 (rendered on the
//           host) are sent as 0xFE. When the list has no code for `SelectItem` the byte stays
//           as read, so the keyboard keeps the effect it shows.
//   byte 3: 4 - Speed. Levels above 4 are sent as 4.
SettingsBlock EncodeSettingsBlock(const SettingsBlock& lastRead, const LightingRecord& record,
                                  const KeyboardSystemStages& stages, const EffectList& effects,
                                  uint8_t activeProfileByte);

// A block read from the keyboard, taken apart.
struct DecodedSettings {
  SettingsBlock cached{};  // the block as the cache keeps it: byte 16 forced to 0
  LightingRecord record;
  KeyboardSystemStages stages;
};

// Takes a block read from the keyboard apart on top of the current `record` and `stages`.
//   byte 1: 0xFE keeps the current selection; a code of the effect list selects its index; a
//           code the list does not know also keeps the current selection (an index outside the
//           list would select an effect that does not exist).
//   byte 3: Speed = 4 - byte; a byte above 4 gives speed 0. Brightness above 4 reads as 4.
// The polling rate is not read back; repeat rate and delay are not in the block.
DecodedSettings DecodeSettingsBlock(const SettingsBlock& block, const LightingRecord& record,
                                    const KeyboardSystemStages& stages, const EffectList& effects);

}  // namespace dw
