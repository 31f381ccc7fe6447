#include <gtest/gtest.h>

#include "ui/core/controls/SliderMath.h"
#include "ui/core/controls/UIHsv.h"

namespace dw::ui {
namespace {

TEST(SliderMath, SnapToStep)
{
    struct Case {
        int value, min, max, step, expected;
    };
    const Case cases[] = {
        {5, 0, 10, 1, 5},      {4, 0, 10, 3, 3},    {5, 0, 10, 3, 6},      {10, 0, 10, 3, 10},
        {9, 0, 10, 3, 9},      {-3, 0, 10, 3, 0},   {99, 0, 10, 3, 10},    {7, 2, 20, 5, 7},
        {5, 2, 20, 5, 7},      {4, 2, 20, 5, 2},    {3, 0, 4, 0, 3},       {3, 5, 1, 1, 5},
        {0, -100, 100, 50, 0}, {-80, -100, 100, 50, -100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SnapToStep(c.value, c.min, c.max, c.step), c.expected)
            << c.value << " in " << c.min << ".." << c.max << " step " << c.step;
}

TEST(SliderMath, OffsetAndValueRoundTrip)
{
    EXPECT_EQ(ValueFromOffset(0, 200, 0, 4), 0);
    EXPECT_EQ(ValueFromOffset(200, 200, 0, 4), 4);
    EXPECT_EQ(ValueFromOffset(74, 200, 0, 4), 1);
    EXPECT_EQ(ValueFromOffset(76, 200, 0, 4), 2);
    EXPECT_EQ(ValueFromOffset(-10, 200, 0, 4), 0);
    EXPECT_EQ(ValueFromOffset(999, 200, 0, 4), 4);
    EXPECT_EQ(ValueFromOffset(10, 0, 5, 9), 5);  // no track: the minimum
    for (int v = 0; v <= 255; ++v)
        EXPECT_EQ(ValueFromOffset(OffsetFromValue(v, 600, 0, 255), 600, 0, 255), v);
}

TEST(Hsv, RoundTripAndKnownColours)
{
    struct Case {
        UIColor color;
        double hue, saturation, value;
    };
    const Case cases[] = {
        {0xFFFF0000, 0, 1, 1},   {0xFF00FF00, 120, 1, 1}, {0xFF0000FF, 240, 1, 1},
        {0xFFFFFF00, 60, 1, 1},  {0xFF000000, 0, 0, 0},   {0xFFFFFFFF, 0, 0, 1},
        {0xFF800080, 300, 1, 128.0 / 255.0},
    };
    for (const Case& c : cases) {
        const UIHsv hsv = ColorToHsv(c.color);
        EXPECT_NEAR(hsv.hue, c.hue, 1e-9) << std::hex << c.color;
        EXPECT_NEAR(hsv.saturation, c.saturation, 1e-9);
        EXPECT_NEAR(hsv.value, c.value, 1e-9);
        EXPECT_EQ(HsvToColor(hsv), c.color);
    }
    // Every colour of a coarse grid survives the round trip.
    for (int r = 0; r < 256; r += 17)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 51) {
                const UIColor c = MakeColor(0xFF, r, g, b);
                EXPECT_EQ(HsvToColor(ColorToHsv(c)), c);
            }
    // Out-of-range input wraps the hue and clamps the rest.
    EXPECT_EQ(HsvToColor({360.0 + 120.0, 2.0, 1.5}), 0xFF00FF00u);
    EXPECT_EQ(HsvToColor({-120.0, 1.0, 1.0}), 0xFF0000FFu);
    EXPECT_EQ(HsvToColor({0, 0, 1}, 0x80), 0x80FFFFFFu);
}

}  // namespace
}  // namespace dw::ui
