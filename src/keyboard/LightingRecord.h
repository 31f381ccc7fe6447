#pragma once

// The lighting record: the selected effect and its parameters, 14 bytes as the device objects
// copy it. The profile stores it as "LightInfo"; the keyboard's settings block mirrors its
// fields. Plain data only: the JSON readers and writers live with the profiles.

#include <cstdint>

namespace dw {

namespace lightrecord {
// Brightness and speed levels run 0..kMaxLevel.
inline constexpr uint8_t kMaxLevel = 4;
// Bytes 8..10 are not stored and always 0.
inline constexpr unsigned kReservedCount = 3;
inline constexpr unsigned kSize = 14;
}  // namespace lightrecord

struct LightingRecord {
    uint8_t SelectItem = 0;   // index of the effect in the model's effect list, 0..45
    uint8_t Light = 4;        // brightness level 0..4
    uint8_t Speed = 2;        // speed level 0..4
    uint8_t Fx = 0;           // direction or variant, 0 or 1
    uint8_t MultiColor = 1;   // multi-colour flag, stored as a JSON boolean
    uint8_t Red = 255;
    uint8_t Green = 255;
    uint8_t Blue = 255;
    uint8_t Reserved[lightrecord::kReservedCount] = {};  // not stored, always 0
    uint8_t ZZCCLedMode = 0;  // mode extension byte, passed through to the device
    uint8_t CustomGroup = 0;  // custom-light group in use
    uint8_t OldLedmode = 0;   // kept with the record
    friend bool operator==(const LightingRecord&, const LightingRecord&) = default;
};
static_assert(sizeof(LightingRecord) == lightrecord::kSize);

}  // namespace dw
