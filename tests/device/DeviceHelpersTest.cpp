// Pure helpers of the device base: name/index splitting, the preview counters and the light
// colour word.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "transport/device/DeviceLightState.h"
#include "transport/device/NameIndex.h"
#include "transport/device/PreviewCounter.h"

namespace dw {
namespace {

TEST(SplitNameIndex, SplitsAtTheLastUnderscore)
{
    struct Case {
        const wchar_t* text;
        std::optional<std::wstring> prefix;
        size_t index;
    };
    const Case cases[] = {
        {L"key_12", L"key_", 12},
        {L"light_0", L"light_", 0},
        {L"my_key_7", L"my_key_", 7},       // the last '_' counts
        {L"KEY_007", L"KEY_", 7},           // leading zeros are digits
        {L"key", std::nullopt, 0},          // no '_'
        {L"key_", std::nullopt, 0},         // nothing after it
        {L"key_1a", std::nullopt, 0},       // not a number
        {L"key_-1", std::nullopt, 0},       // no sign
        {L"key_ 1", std::nullopt, 0},
        {L"", std::nullopt, 0},
        {L"key_99999999999999999999999", std::nullopt, 0},  // does not fit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::wstring(c.text));
        const auto split = SplitNameIndex(c.text);
        ASSERT_EQ(split.has_value(), c.prefix.has_value());
        if (split) {
            EXPECT_EQ(std::wstring(split->prefix), *c.prefix);
            EXPECT_EQ(split->index, c.index);
        }
    }
}

TEST(SplitNameIndex, PrefixComparesWithoutCase)
{
    EXPECT_EQ(IndexAfterPrefix(L"Light_5", L"light_"), 5u);
    EXPECT_EQ(IndexAfterPrefix(L"LIGHT_5", L"light_"), 5u);
    EXPECT_EQ(IndexAfterPrefix(L"key_5", L"light_"), std::nullopt);
    EXPECT_EQ(IndexAfterPrefix(L"xlight_5", L"light_"), std::nullopt);
    EXPECT_EQ(IndexAfterPrefix(L"light5", L"light_"), std::nullopt);
}

TEST(StepWithin, CountsUpAndDownWithinTheRange)
{
    struct Case {
        unsigned value, n, s;
        bool up;
        unsigned expected;
    };
    const Case cases[] = {
        {0, 128, 1, true, 1},
        {126, 128, 1, true, 127},
        {127, 128, 1, true, 0},     // reaching n wraps to 0
        {1, 128, 1, false, 0},
        {0, 128, 1, false, 127},    // below 0 becomes n - s
        {176, 192, 16, true, 0},
        {8, 192, 16, false, 176},
        {150, 128, 1, true, 23},    // a value left by a longer count is brought into range first
        {191, 192, 1, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " within " << c.n << " by " << c.s << (c.up ? " up" : " down"));
        EXPECT_EQ(StepWithin(c.value, c.n, c.s, c.up), c.expected);
    }
}

TEST(LightColourWord, PacksRedInTheLowByteAndBrightnessInTheHighByte)
{
    static_assert(PackLightColour(0x11, 0x22, 0x33, 0x44) == 0x44332211u);
    constexpr LightState state = UnpackLightColour(0x44332211u, 7);
    static_assert(state == LightState{0x11, 0x22, 0x33, 0x44, 7});
}

}  // namespace
}  // namespace dw
