#include "shell/devices/SyncLighting.h"

#include "keyboard/LightingTables.h"
#include "transport/device/PreviewCounter.h"
#include "transport/DeviceKinds.h"

namespace dw {

namespace {

uint8_t ModeInColumn(const synclight::TypeModes& modes, int familyIndex)
{
    switch (familyIndex) {
    case family::kKeyboard:
        return modes.keyboard;
    case family::kMouse:
        return modes.mouse;
    default:
        return modes.mousepadAndHeadset;
    }
}

bool IsFamily(int familyIndex)
{
    return familyIndex >= 0 && familyIndex < family::kCount;
}

uint8_t LevelValue(uint8_t level)
{
    return lighting::kBrightnessValues[level < lighting::kLevelCount ? level : lighting::kMaxLevel];
}

LightState Colour(const lighting::Rgb& rgb, uint8_t brightness)
{
    return LightState{rgb.red, rgb.green, rgb.blue, brightness, 0};
}

}  // namespace

std::optional<int> SyncTypeOfEffect(int familyIndex, uint8_t effect)
{
    if (!IsFamily(familyIndex))
        return std::nullopt;
    for (int type = 0; type < synclight::kTypeCount; ++type) {
        if (ModeInColumn(synclight::kTypeModes[static_cast<size_t>(type)], familyIndex) == effect)
            return type;
    }
    return std::nullopt;
}

std::optional<uint8_t> SyncModeOf(int type, int familyIndex)
{
    if (type < 0 || type >= synclight::kTypeCount || !IsFamily(familyIndex))
        return std::nullopt;
    return ModeInColumn(synclight::kTypeModes[static_cast<size_t>(type)], familyIndex);
}

int SyncStepThreshold(int speedLevel)
{
    if (speedLevel < 0 || speedLevel >= static_cast<int>(synclight::kStepThresholds.size()))
        return synclight::kStepThresholds.front();
    return synclight::kStepThresholds[static_cast<size_t>(speedLevel)];
}

LightState CSyncLightingStepper::Step(const SyncLightingState& state, uint64_t nowMs)
{
    using namespace synclight;
    const uint8_t value = LevelValue(state.brightness);
    const lighting::Rgb stored{state.red, state.green, state.blue};
    switch (state.type) {
    case kTypeBreathing: {
        m_breath = StepWithin(m_breath, kBreathLength, 1, state.direction != 0);
        lighting::Rgb colour = stored;
        if (state.multiColour != 0) {
            if (m_breath < kBreathHueWindow)
                m_hue = StepWithin(m_hue, kHueCycle, kBreathHueStep, true);
            colour = lighting::kHueWheel[static_cast<size_t>(m_hue)];
        }
        const unsigned level = lighting::kBreathCurve[static_cast<size_t>(m_breath)];
        return Colour(colour, static_cast<uint8_t>(level * value / 256));
    }
    case kTypeStatic:
        return Colour(stored, value);
    case kTypeBlinking: {
        const uint8_t speed = state.speed < lighting::kLevelCount ? state.speed : lighting::kMaxLevel;
        const uint64_t interval = uint64_t{lighting::kBlinkIntervals[speed]} * lighting::kBlinkUnitMs;
        if (nowMs - m_lastToggle >= interval) {
            m_blinkOn = !m_blinkOn;
            m_lastToggle = nowMs;
            m_blinkHue += kBlinkHueStep;
            if (m_blinkHue >= kHueCycle)
                m_blinkHue = 0;
        }
        if (!m_blinkOn)
            return LightState{};
        return Colour(state.multiColour != 0 ? lighting::kHueWheel[static_cast<size_t>(m_blinkHue)] : stored, value);
    }
    case kTypeWheel:
        m_wheelHue = StepWithin(m_wheelHue, kHueCycle, 1, true);
        return Colour(lighting::kHueWheel[static_cast<size_t>(m_wheelHue)], value);
    case kTypeOff:
    default:
        return LightState{};
    }
}

}  // namespace dw
