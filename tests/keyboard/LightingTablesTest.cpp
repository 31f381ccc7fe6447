#include "keyboard/LightingTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

namespace dw::lighting {
namespace {

TEST(LightingTables, BrightnessValuesByLevelAndClampedAboveFour) {
  struct Case {
    unsigned level;
    uint8_t value;
  };
  const Case cases[] = {{0, 0}, {1, 80}, {2, 135}, {3, 195}, {4, 255}, {5, 255}, {255, 255}, {70000, 255}};
  for (const Case& c : cases) {
    EXPECT_EQ(BrightnessValue(c.level), c.value) << "level " << c.level;
  }
}

TEST(LightingTables, HueWheelRepeatsItsFirst64ColoursAfterTheCycle) {
  for (unsigned i = kHueCycle; i < kHueWheelSize; ++i) {
    EXPECT_EQ(HueColour(static_cast<uint8_t>(i)), HueColour(static_cast<uint8_t>(i - kHueCycle))) << "index " << i;
  }
}

TEST(LightingTables, HueWheelSegmentEnds) {
  struct Case {
    uint8_t index;
    Rgb colour;
  };
  const Case cases[] = {
      {0, {255, 1, 0}},   {31, {255, 255, 0}}, {32, {248, 255, 0}},  {63, {0, 255, 0}},
      {64, {0, 255, 1}},  {95, {0, 255, 255}}, {96, {0, 248, 255}},  {127, {0, 0, 255}},
      {128, {1, 0, 255}}, {159, {255, 0, 255}}, {160, {255, 0, 248}}, {191, {255, 0, 0}},
      {192, {255, 1, 0}}, {255, {0, 255, 0}},
  };
  for (const Case& c : cases) {
    const Rgb got = HueColour(c.index);
    EXPECT_EQ(got, c.colour) << "index " << int(c.index) << " got " << int(got.red) << "," << int(got.green)
                             << "," << int(got.blue);
  }
}

TEST(LightingTables, HueWheelIsFullySaturatedAndMovesOneChannelAtATime) {
  for (unsigned i = 0; i < kHueWheelSize; ++i) {
    const Rgb c = kHueWheel[i];
    const uint8_t hi = std::max({c.red, c.green, c.blue});
    const uint8_t lo = std::min({c.red, c.green, c.blue});
    EXPECT_EQ(hi, 255) << "index " << i;
    EXPECT_EQ(lo, 0) << "index " << i;
    const Rgb next = kHueWheel[(i + 1) % kHueCycle];
    const int changed = (c.red != next.red) + (c.green != next.green) + (c.blue != next.blue);
    EXPECT_EQ(changed, 1) << "between " << i << " and the next hue";
  }
}

struct CurveCase {
  const char* name;
  std::span<const uint8_t> curve;
  size_t size;
  uint8_t first;
};

std::vector<CurveCase> RiseAndFallCurves() {
  return {{"breath", kBreathCurve, 128, 0}, {"wave", kWaveCurve, 96, 22}, {"pulse", kPulseCurve, 112, 8}};
}

TEST(LightingTables, RiseAndFallCurvesAreSymmetricAndPeakAtFullBrightness) {
  for (const CurveCase& c : RiseAndFallCurves()) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(c.curve.size(), c.size);
    EXPECT_EQ(c.curve.front(), c.first);
    EXPECT_EQ(c.curve[c.size / 2 - 1], 255);
    EXPECT_EQ(c.curve[c.size / 2], 255);
    for (size_t i = 0; i < c.size; ++i) {
      EXPECT_EQ(c.curve[i], c.curve[c.size - 1 - i]) << "entry " << i;
    }
    EXPECT_TRUE(std::is_sorted(c.curve.begin(), c.curve.begin() + c.size / 2)) << "the rise must not dip";
  }
}

TEST(LightingTables, LookupsWrapPastTheEndOfACurve) {
  EXPECT_EQ(BreathCurve(128), BreathCurve(0));
  EXPECT_EQ(WaveCurve(96 + 5), WaveCurve(5));
  EXPECT_EQ(PulseCurve(112 * 3 + 7), PulseCurve(7));
  EXPECT_EQ(FadeCurve(192 + 24), 255);
  EXPECT_EQ(ColumnProfile(23), 255);
  EXPECT_EQ(RowProfile(24 + 1), 242);
  EXPECT_EQ(FourColour(4), (Rgb{0, 255, 180}));
}

TEST(LightingTables, FadeCurveRisesToItsPeakThenDecaysToZero) {
  const auto peak = std::max_element(kFadeCurve.begin(), kFadeCurve.end());
  EXPECT_EQ(peak - kFadeCurve.begin(), 24);
  EXPECT_EQ(*peak, 255);
  EXPECT_TRUE(std::is_sorted(kFadeCurve.begin(), peak + 1));
  EXPECT_TRUE(std::is_sorted(peak, kFadeCurve.end(), std::greater<>()));
  EXPECT_EQ(kFadeCurve[kFadeCurveShapeLength - 1], 1);
  for (size_t i = kFadeCurveShapeLength; i < kFadeCurveSize; ++i) {
    EXPECT_EQ(kFadeCurve[i], 0) << "entry " << i;
  }
}

TEST(LightingTables, ColumnAndRowProfilesFallFromFullToZero) {
  struct Case {
    const char* name;
    std::span<const uint8_t> profile;
    size_t size;
  };
  const Case cases[] = {{"column", kColumnProfile, 23}, {"row", kRowProfile, 24}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.profile.size(), c.size);
    EXPECT_EQ(c.profile.front(), 255);
    EXPECT_EQ(c.profile.back(), 0);
    EXPECT_TRUE(std::is_sorted(c.profile.begin(), c.profile.end(), std::greater<>()));
  }
}

TEST(LightingTables, FourColours) {
  EXPECT_EQ(FourColour(0), (Rgb{0, 255, 180}));
  EXPECT_EQ(FourColour(1), (Rgb{0, 255, 0}));
  EXPECT_EQ(FourColour(2), (Rgb{255, 255, 255}));
  EXPECT_EQ(FourColour(3), (Rgb{255, 0, 0}));
}

TEST(LightingTables, FrameIntervalsByEffectAndSpeed) {
  using Row = std::array<uint8_t, 5>;
  const Row usual{8, 5, 3, 1, 0};
  const Row slowStart{12, 8, 5, 0, 0};
  const Row steady{3, 3, 3, 3, 0};
  const Row still{0, 0, 0, 0, 0};
  struct Case {
    size_t effect;
    Row intervals;
  };
  const Case cases[] = {{0, usual},   {1, usual},  {2, slowStart}, {3, usual},  {16, usual},
                        {17, steady}, {18, usual}, {19, steady},   {20, usual}, {30, usual},
                        {31, still},  {35, still}, {36, still},    {1000, still}};
  for (const Case& c : cases) {
    for (unsigned speed = 0; speed < 5; ++speed) {
      EXPECT_EQ(FrameInterval(c.effect, speed), c.intervals[speed]) << "effect " << c.effect << " speed " << speed;
    }
    EXPECT_EQ(FrameInterval(c.effect, 9), c.intervals[4]) << "speed above 4 reads as 4";
  }
  for (size_t effect = 0; effect < kEffectCount; ++effect) {
    for (size_t column = kLevelCount; column < kIntervalsPerEffect; ++column) {
      EXPECT_EQ(kFrameIntervals[effect][column], 0) << "unused column of effect " << effect;
    }
  }
}

TEST(LightingTables, BlinkIntervals) {
  const uint8_t expected[] = {8, 6, 4, 2, 1, 1};
  for (unsigned speed = 0; speed < 6; ++speed) {
    EXPECT_EQ(BlinkInterval(speed), expected[speed]) << "speed " << speed;
  }
}

TEST(LightingTables, FadeStepsByBand) {
  struct Case {
    FadeKind kind;
    uint8_t level;
    uint8_t after;
  };
  const Case cases[] = {
      {FadeKind::kStandard, 255, 215}, {FadeKind::kStandard, 128, 88}, {FadeKind::kStandard, 127, 97},
      {FadeKind::kStandard, 64, 34},   {FadeKind::kStandard, 63, 53},  {FadeKind::kStandard, 32, 22},
      {FadeKind::kStandard, 31, 23},   {FadeKind::kStandard, 17, 9},   {FadeKind::kStandard, 16, 15},
      {FadeKind::kStandard, 1, 0},     {FadeKind::kStandard, 0, 0},
      {FadeKind::kKind0, 255, 215},    {FadeKind::kKind0, 64, 34},     {FadeKind::kKind0, 63, 48},
      {FadeKind::kKind0, 32, 17},      {FadeKind::kKind0, 17, 9},      {FadeKind::kKind0, 1, 0},
      {FadeKind::kKind0, 0, 0},
      {FadeKind::kAudio, 255, 210},    {FadeKind::kAudio, 144, 99},    {FadeKind::kAudio, 143, 103},
      {FadeKind::kAudio, 128, 88},     {FadeKind::kAudio, 127, 92},    {FadeKind::kAudio, 112, 77},
      {FadeKind::kAudio, 111, 81},     {FadeKind::kAudio, 96, 66},     {FadeKind::kAudio, 95, 70},
      {FadeKind::kAudio, 80, 55},      {FadeKind::kAudio, 79, 59},     {FadeKind::kAudio, 64, 44},
      {FadeKind::kAudio, 63, 53},      {FadeKind::kAudio, 32, 22},     {FadeKind::kAudio, 31, 26},
      {FadeKind::kAudio, 17, 12},      {FadeKind::kAudio, 16, 15},     {FadeKind::kAudio, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FadeStep(c.level, c.kind), c.after) << "kind " << int(c.kind) << " level " << int(c.level);
  }
}

TEST(LightingTables, EveryFadeLowersEveryLitLevelAndReachesZero) {
  for (FadeKind kind : {FadeKind::kStandard, FadeKind::kKind0, FadeKind::kAudio}) {
    for (unsigned level = 1; level <= 255; ++level) {
      const uint8_t after = FadeStep(static_cast<uint8_t>(level), kind);
      EXPECT_LT(after, level) << "kind " << int(kind) << " level " << level;
    }
    uint8_t level = 255;
    int steps = 0;
    while (level != 0 && steps < 256) {
      level = FadeStep(level, kind);
      ++steps;
    }
    EXPECT_EQ(level, 0) << "kind " << int(kind);
  }
}

TEST(LightingTables, FadeKindOfAPerKeyFadeMode) {
  EXPECT_EQ(FadeKindForMode(0), FadeKind::kKind0);
  EXPECT_EQ(FadeKindForMode(29), FadeKind::kAudio);
  EXPECT_EQ(FadeKindForMode(1), FadeKind::kStandard);
  EXPECT_EQ(FadeKindForMode(30), FadeKind::kStandard);
}

}  // namespace
}  // namespace dw::lighting
