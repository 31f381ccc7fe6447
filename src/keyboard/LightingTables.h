#pragma once

// The constant tables every lighting renderer and preview computes from: brightness values,
// the hue wheel, the brightness curves, the four fixed colours, frame and blink intervals and
// the fade steps. Compiled in, never changed, read from any thread without locks.

#include <array>
#include <cstddef>
#include <cstdint>

namespace dw::lighting {

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr size_t kLevelCount = 5;  // brightness and speed levels 0..4
inline constexpr uint8_t kMaxLevel = 4;

// Brightness level (a lighting record's `Light`) to brightness value.
inline constexpr std::array<uint8_t, kLevelCount> kBrightnessValues{0, 80, 135, 195, 255};

// --- Hue wheel --------------------------------------------------------------------------------

inline constexpr size_t kRampLength = 32;
inline constexpr std::array<uint8_t, kRampLength> kHueRise{
    1,  3,  5,  7,  10, 14, 18, 22, 26,  32,  38,  44,  50,  57,  65,  73,
    81, 89, 99, 109, 119, 129, 140, 152, 164, 176, 188, 200, 213, 227, 241, 255};
inline constexpr std::array<uint8_t, kRampLength> kHueFall{
    248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124, 114, 104, 94, 85, 77,
    69,  61,  53,  47,  41,  35,  29,  24,  20,  16,  12,  8,   6,   4,  2,  0};

inline constexpr size_t kHueWheelSize = 256;
// Hue indices normally stay within 0..kHueCycle-1; the wheel repeats its first 64 colours
// after that, so an index that runs past the cycle by up to 64 still gives a colour.
inline constexpr size_t kHueCycle = 192;

inline constexpr std::array<Rgb, kHueWheelSize> kHueWheel = [] {
  std::array<Rgb, kHueWheelSize> wheel{};
  for (size_t i = 0; i < kRampLength; ++i) {
    const uint8_t u = kHueRise[i];
    const uint8_t f = kHueFall[i];
    wheel[0 * kRampLength + i] = {255, u, 0};  // red, rising green
    wheel[1 * kRampLength + i] = {f, 255, 0};  // falling red, green
    wheel[2 * kRampLength + i] = {0, 255, u};  // green, rising blue
    wheel[3 * kRampLength + i] = {0, f, 255};  // falling green, blue
    wheel[4 * kRampLength + i] = {u, 0, 255};  // rising red, blue
    wheel[5 * kRampLength + i] = {255, 0, f};  // red, falling blue
  }
  for (size_t i = kHueCycle; i < kHueWheelSize; ++i) {
    wheel[i] = wheel[i - kHueCycle];
  }
  return wheel;
}();

// --- Brightness curves ------------------------------------------------------------------------

inline constexpr size_t kRiseLength = 64;
inline constexpr std::array<uint8_t, kRiseLength> kCurveRise{
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  12,  14,  16,  18,  20,
    22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
    77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};

namespace detail {
// The rise from entry `from` to its top, then the same values back down.
template <size_t From>
constexpr std::array<uint8_t, 2 * (kRiseLength - From)> RiseAndFall() {
  constexpr size_t n = kRiseLength - From;
  std::array<uint8_t, 2 * n> curve{};
  for (size_t i = 0; i < n; ++i) {
    curve[i] = kCurveRise[From + i];
    curve[2 * n - 1 - i] = kCurveRise[From + i];
  }
  return curve;
}
}  // namespace detail

inline constexpr auto kBreathCurve = detail::RiseAndFall<0>();   // 128 entries, 0..255..0
inline constexpr auto kWaveCurve = detail::RiseAndFall<16>();    // 96 entries, 22..255..22
inline constexpr auto kPulseCurve = detail::RiseAndFall<8>();    // 112 entries, 8..255..8
static_assert(kBreathCurve.size() == 128 && kWaveCurve.size() == 96 && kPulseCurve.size() == 112);

inline constexpr size_t kFadeCurveSize = 192;
inline constexpr size_t kFadeCurveShapeLength = 88;  // entries after these are 0
inline constexpr std::array<uint8_t, kFadeCurveSize> kFadeCurve = [] {
  constexpr std::array<uint8_t, kFadeCurveShapeLength> shape{
      0,   4,   8,   14,  22,  33,  45,  61,  77,  84,  100, 110, 120, 130, 140, 150,
      158, 166, 175, 182, 191, 204, 220, 234, 255, 248, 241, 234, 227, 220, 213, 206,
      200, 194, 188, 182, 176, 170, 164, 158, 152, 146, 140, 134, 129, 124, 119, 114,
      109, 104, 99,  94,  89,  85,  81,  77,  73,  69,  65,  61,  57,  53,  49,  45,
      42,  39,  36,  33,  30,  27,  24,  22,  20,  18,  16,  14,  12,  10,  9,   8,
      7,   6,   5,   4,   3,   2,   2,   1};
  std::array<uint8_t, kFadeCurveSize> curve{};
  for (size_t i = 0; i < shape.size(); ++i) {
    curve[i] = shape[i];
  }
  return curve;
}();

inline constexpr std::array<uint8_t, 23> kColumnProfile{
    255, 225, 200, 175, 150, 130, 110, 90, 70, 55, 40, 30, 20, 10, 7, 5, 4, 3, 0, 0, 0, 0, 0};
inline constexpr std::array<uint8_t, 24> kRowProfile{
    255, 242, 229, 216, 203, 190, 177, 164, 151, 138, 125, 112,
    99,  86,  80,  75,  68,  61,  55,  48,  34,  22,  10,  0};

inline constexpr std::array<Rgb, 4> kFourColours{{{0, 255, 180}, {0, 255, 0}, {255, 255, 255}, {255, 0, 0}}};

// --- Timing -----------------------------------------------------------------------------------

inline constexpr size_t kEffectCount = 36;
inline constexpr size_t kIntervalsPerEffect = 15;  // only the first kLevelCount are used
using FrameIntervalRow = std::array<uint8_t, kIntervalsPerEffect>;

inline constexpr std::array<FrameIntervalRow, kEffectCount> kFrameIntervals = [] {
  constexpr FrameIntervalRow kUsual{8, 5, 3, 1, 0};
  constexpr FrameIntervalRow kSlowStart{12, 8, 5, 0, 0};
  constexpr FrameIntervalRow kSteady{3, 3, 3, 3, 0};
  constexpr FrameIntervalRow kStill{};
  std::array<FrameIntervalRow, kEffectCount> rows{};
  for (size_t effect = 0; effect < kEffectCount; ++effect) {
    if (effect == 2) {
      rows[effect] = kSlowStart;
    } else if (effect == 17 || effect == 19) {
      rows[effect] = kSteady;
    } else if (effect >= 31) {
      rows[effect] = kStill;
    } else {
      rows[effect] = kUsual;
    }
  }
  return rows;
}();

// Blink interval per speed level, in units of kBlinkUnitMs.
inline constexpr std::array<uint8_t, kLevelCount> kBlinkIntervals{8, 6, 4, 2, 1};
inline constexpr unsigned kBlinkUnitMs = 200;

// --- Fades ------------------------------------------------------------------------------------

enum class FadeKind : uint8_t {
  kStandard,
  kKind0,
  kAudio,
};

// One band of a fade: a level of at least `from` goes down by `step`.
struct FadeBand {
  uint8_t from;
  uint8_t step;
};

// Bands from the top down; a level below the last band (that is, 0) stays where it is.
inline constexpr std::array<FadeBand, 5> kStandardFade{{{128, 40}, {64, 30}, {32, 10}, {17, 8}, {1, 1}}};
inline constexpr std::array<FadeBand, 5> kKind0Fade{{{128, 40}, {64, 30}, {32, 15}, {17, 8}, {1, 1}}};
inline constexpr std::array<FadeBand, 9> kAudioFade{
    {{144, 45}, {128, 40}, {112, 35}, {96, 30}, {80, 25}, {64, 20}, {32, 10}, {17, 5}, {1, 1}}};

// --- Lookups ----------------------------------------------------------------------------------
// Levels above 4 are read as 4 (a document may hold any number). Curve indices past the end
// wrap round, since renderers walk the curves as cycles.

constexpr uint8_t ClampLevel(unsigned level) { return level > kMaxLevel ? kMaxLevel : static_cast<uint8_t>(level); }

constexpr uint8_t BrightnessValue(unsigned level) { return kBrightnessValues[ClampLevel(level)]; }

constexpr Rgb HueColour(uint8_t index) { return kHueWheel[index]; }

constexpr uint8_t BreathCurve(size_t i) { return kBreathCurve[i % kBreathCurve.size()]; }
constexpr uint8_t WaveCurve(size_t i) { return kWaveCurve[i % kWaveCurve.size()]; }
constexpr uint8_t PulseCurve(size_t i) { return kPulseCurve[i % kPulseCurve.size()]; }
constexpr uint8_t FadeCurve(size_t i) { return kFadeCurve[i % kFadeCurve.size()]; }
constexpr uint8_t ColumnProfile(size_t i) { return kColumnProfile[i % kColumnProfile.size()]; }
constexpr uint8_t RowProfile(size_t i) { return kRowProfile[i % kRowProfile.size()]; }
constexpr Rgb FourColour(size_t i) { return kFourColours[i % kFourColours.size()]; }

// Frames between two steps of effect `effect` at speed `speedLevel`. An effect index past the
// table has no animation (0), like the unused rows at its end.
constexpr uint8_t FrameInterval(size_t effect, unsigned speedLevel) {
  return effect < kEffectCount ? kFrameIntervals[effect][ClampLevel(speedLevel)] : 0;
}

constexpr uint8_t BlinkInterval(unsigned speedLevel) { return kBlinkIntervals[ClampLevel(speedLevel)]; }

// The level one fade step below `level`. Never goes below 0.
constexpr uint8_t FadeStep(uint8_t level, FadeKind kind) {
  auto apply = [level](const auto& bands) -> uint8_t {
    for (const FadeBand& band : bands) {
      if (level >= band.from) {
        return level > band.step ? static_cast<uint8_t>(level - band.step) : 0;
      }
    }
    return level;
  };
  switch (kind) {
    case FadeKind::kKind0:
      return apply(kKind0Fade);
    case FadeKind::kAudio:
      return apply(kAudioFade);
    case FadeKind::kStandard:
      break;
  }
  return apply(kStandardFade);
}

// The fade a per-key fade mode selects: mode 0 the kind-0 fade, mode 29 (audio-reactive) the
// audio fade, any other mode the standard fade.
inline constexpr unsigned kAudioFadeMode = 29;
constexpr FadeKind FadeKindForMode(unsigned mode) {
  if (mode == 0) {
    return FadeKind::kKind0;
  }
  return mode == kAudioFadeMode ? FadeKind::kAudio : FadeKind::kStandard;
}

}  // namespace dw::lighting
