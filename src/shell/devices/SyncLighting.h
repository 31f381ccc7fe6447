#pragma once

// Synchronised lighting across devices: which effect of each family stands for each of the five
// synchronised types, how often the synchronisation thread steps for each speed level, and the
// step itself, which computes one colour and brightness from the synchronised-lighting state.
// Pure: the thread and the devices are elsewhere.

#include <array>
#include <cstdint>
#include <optional>

#include "transport/device/DeviceLightState.h"

namespace dw {

namespace synclight {

inline constexpr int kTypeCount = 5;
inline constexpr int kTypeBreathing = 0;  // colour cycle with breathing
inline constexpr int kTypeStatic = 1;
inline constexpr int kTypeBlinking = 2;
inline constexpr int kTypeWheel = 3;      // colour wheel
inline constexpr int kTypeOff = 4;

// The effect index (lighting record byte 0) of each type, per family column.
struct TypeModes {
    uint8_t keyboard;
    uint8_t mouse;
    uint8_t mousepadAndHeadset;
};

inline constexpr std::array<TypeModes, kTypeCount> kTypeModes{{
    {6, 2, 2},
    {5, 3, 3},
    {23, 4, 4},
    {40, 1, 1},
    {22, 10, 8},
}};

// Tick changes counted before one step, per speed level 0..4 (the same for every type).
inline constexpr std::array<int, 5> kStepThresholds{8, 6, 4, 2, 1};

// Counter ranges and steps of the step types.
inline constexpr unsigned kBreathLength = 128;
inline constexpr unsigned kHueCycle = 192;
inline constexpr unsigned kBreathHueStep = 16;
inline constexpr unsigned kBlinkHueStep = 14;
// In multi-colour breathing the hue moves on while the breath counter is below this.
inline constexpr unsigned kBreathHueWindow = 2;

}  // namespace synclight

// The type the effect index `effect` of a device of family `family` (dw::family) stands for,
// or nothing when that family's column has no such effect.
std::optional<int> SyncTypeOfEffect(int family, uint8_t effect);

// The effect index of `type` for a device of `family`; nothing for a bad type or family.
std::optional<uint8_t> SyncModeOf(int type, int family);

// Tick changes the thread counts before one step at `speedLevel` (out of range: the slowest).
int SyncStepThreshold(int speedLevel);

// The synchronised-lighting state the main window keeps.
struct SyncLightingState {
    int type = synclight::kTypeStatic;
    uint8_t speed = 0;
    uint8_t brightness = 0;
    uint8_t direction = 0;
    uint8_t multiColour = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// The counters of the synchronised steps, kept between steps.
class CSyncLightingStepper {
public:
    // One step of the state's type at time `nowMs` (milliseconds of a monotonic clock): the
    // colour and brightness every light of every synchronised device gets.
    LightState Step(const SyncLightingState& state, uint64_t nowMs);

    unsigned BreathCounter() const { return m_breath; }
    unsigned Hue() const { return m_hue; }
    unsigned WheelHue() const { return m_wheelHue; }
    unsigned BlinkHue() const { return m_blinkHue; }
    bool BlinkOn() const { return m_blinkOn; }

private:
    unsigned m_breath = 0;
    unsigned m_hue = 0;
    unsigned m_wheelHue = 0;
    unsigned m_blinkHue = 0;
    bool m_blinkOn = false;
    uint64_t m_lastToggle = 0;
};

}  // namespace dw
