#pragma once

// The keyboard's system settings ("SystemStages" of a profile): key repeat, six-key flag,
// polling rate, W flag and Windows-key lock, stored exactly as the keyboard's settings block
// carries them. Plain data only: the JSON readers and writers live with the profiles.

#include <cstdint>

namespace dw {

namespace systemstages {
inline constexpr unsigned kSize = 12;  // six 16-bit members, copied by value
}  // namespace systemstages

// All 0 when the profile has none.
struct KeyboardSystemStages {
    uint16_t Repeat = 0;
    uint16_t RepeatDelay = 0;
    uint16_t Key6Flag = 0;
    uint16_t PollingRate = 0;
    uint16_t WFlag = 0;
    uint16_t WinFlag = 0;
    friend bool operator==(const KeyboardSystemStages&, const KeyboardSystemStages&) = default;
};
static_assert(sizeof(KeyboardSystemStages) == systemstages::kSize);

}  // namespace dw
