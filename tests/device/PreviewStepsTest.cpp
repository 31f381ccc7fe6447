// The lighting preview steps of the device base and the software effects' working buffers, at
// chosen counter values and clock readings.

#include <gtest/gtest.h>

#include "DeviceProbe.h"
#include "keyboard/LightingTables.h"

namespace dw {
namespace {

using test::DeviceProbe;
using Counters = DeviceProbe::Counters;
using Step = void (CKestovarUSBDevice::*)();

LightingRecord Record(uint8_t light, uint8_t speed, uint8_t fx, uint8_t multi, lighting::Rgb colour = {10, 20, 30})
{
    LightingRecord r;
    r.Light = light;
    r.Speed = speed;
    r.Fx = fx;
    r.MultiColor = multi;
    r.Red = colour.red;
    r.Green = colour.green;
    r.Blue = colour.blue;
    return r;
}

LightState Lit(lighting::Rgb colour, uint8_t brightness) { return {colour.red, colour.green, colour.blue, brightness, 0}; }

constexpr lighting::Rgb kOwn{10, 20, 30};
constexpr lighting::Rgb kBlack{0, 0, 0};

struct StepCase {
    const char* name;
    Step step;
    LightingRecord record;
    Counters before;
    uint64_t now;  // clock reading during the step
    Counters after;
    LightState expected;  // every light, flag 0
};

TEST(PreviewSteps, EachStepAtChosenCountersAndTimes)
{
    const auto& hue = lighting::kHueWheel;
    const auto& four = lighting::kFourColours;
    // Blink intervals: speed 2 is 4 x 200 ms, speed 0 is 8 x 200 ms, speed 4 is 200 ms.
    const StepCase cases[] = {
        // Breathing: P within 128; Q moves by 16 each time P comes to 0.
        {"breath up mid-curve", &CKestovarUSBDevice::PreviewStepBreath, Record(4, 2, 1, 1), {63, 0, 0, 0}, 0,
         {64, 0, 0, 0}, Lit(hue[0], 254)},
        {"breath up wraps, Q advances", &CKestovarUSBDevice::PreviewStepBreath, Record(4, 2, 1, 1), {127, 32, 0, 0}, 0,
         {0, 48, 0, 0}, Lit(hue[48], 0)},
        {"breath Q reaches 192", &CKestovarUSBDevice::PreviewStepBreath, Record(4, 2, 1, 1), {127, 176, 0, 0}, 0,
         {0, 192, 0, 0}, Lit(hue[192], 0)},
        {"breath Q passes 192", &CKestovarUSBDevice::PreviewStepBreath, Record(4, 2, 1, 1), {127, 192, 0, 0}, 0,
         {0, 0, 0, 0}, Lit(hue[0], 0)},
        {"breath down from 0", &CKestovarUSBDevice::PreviewStepBreath, Record(4, 2, 0, 1), {0, 16, 0, 0}, 0,
         {127, 16, 0, 0}, Lit(hue[16], 0)},
        {"breath down to 0", &CKestovarUSBDevice::PreviewStepBreath, Record(4, 2, 0, 1), {1, 16, 0, 0}, 0,
         {0, 32, 0, 0}, Lit(hue[32], 0)},
        {"breath own colour, level 2", &CKestovarUSBDevice::PreviewStepBreath, Record(2, 2, 1, 0), {63, 0, 0, 0}, 0,
         {64, 0, 0, 0}, Lit(kOwn, 134)},
        {"breath level 0 is dark", &CKestovarUSBDevice::PreviewStepBreath, Record(0, 2, 1, 0), {63, 0, 0, 0}, 0,
         {64, 0, 0, 0}, Lit(kOwn, 0)},
        // Four-colour breathing: Q runs through 0..3.
        {"four-colour mid-curve", &CKestovarUSBDevice::PreviewStepFourColour, Record(4, 2, 1, 1), {63, 2, 0, 0}, 0,
         {64, 2, 0, 0}, Lit(four[2], 254)},
        {"four-colour wraps to colour 0", &CKestovarUSBDevice::PreviewStepFourColour, Record(4, 2, 1, 0),
         {127, 3, 0, 0}, 0, {0, 0, 0, 0}, Lit(four[0], 0)},
        {"four-colour down", &CKestovarUSBDevice::PreviewStepFourColour, Record(3, 2, 0, 0), {1, 1, 0, 0}, 0,
         {0, 2, 0, 0}, Lit(four[2], 0)},
        // Static: the record's colour at V; counters untouched.
        {"static", &CKestovarUSBDevice::PreviewStepStatic, Record(3, 2, 1, 1), {5, 6, 1, 7}, 0, {5, 6, 1, 7},
         Lit(kOwn, 195)},
        // Colour-wheel cycle: P within 192.
        {"cycle up", &CKestovarUSBDevice::PreviewStepCycle, Record(4, 2, 1, 0), {5, 0, 0, 0}, 0, {6, 0, 0, 0},
         Lit(hue[6], 255)},
        {"cycle up wraps", &CKestovarUSBDevice::PreviewStepCycle, Record(1, 2, 1, 0), {191, 0, 0, 0}, 0,
         {0, 0, 0, 0}, Lit(hue[0], 80)},
        {"cycle down wraps", &CKestovarUSBDevice::PreviewStepCycle, Record(4, 2, 0, 0), {0, 0, 0, 0}, 0,
         {191, 0, 0, 0}, Lit(hue[191], 255)},
        // Blinking colour: toggles when blink interval x 200 ms has passed; P moves by 16.
        {"blink not yet due", &CKestovarUSBDevice::PreviewStepBlinkCycle, Record(4, 2, 1, 1), {16, 0, 0, 1000},
         1799, {16, 0, 0, 1000}, Lit(kBlack, 0)},
        {"blink due lights up", &CKestovarUSBDevice::PreviewStepBlinkCycle, Record(4, 2, 1, 1), {16, 0, 0, 1000},
         1800, {32, 0, 1, 1800}, Lit(hue[32], 255)},
        {"blink lit, not yet due", &CKestovarUSBDevice::PreviewStepBlinkCycle, Record(4, 2, 1, 1), {32, 0, 1, 1800},
         2000, {32, 0, 1, 1800}, Lit(hue[32], 255)},
        {"blink due goes dark", &CKestovarUSBDevice::PreviewStepBlinkCycle, Record(4, 4, 1, 1), {32, 0, 1, 1800},
         2000, {48, 0, 0, 2000}, Lit(kBlack, 0)},
        {"blink P wraps at 192", &CKestovarUSBDevice::PreviewStepBlinkCycle, Record(4, 0, 1, 1), {176, 0, 0, 0},
         1600, {0, 0, 1, 1600}, Lit(hue[0], 255)},
        {"blink own colour", &CKestovarUSBDevice::PreviewStepBlinkCycle, Record(2, 0, 1, 0), {0, 0, 0, 0}, 1600,
         {16, 0, 1, 1600}, Lit(kOwn, 135)},
        // Blinking four colours: each toggle moves P through 0..3.
        {"blink four lights up", &CKestovarUSBDevice::PreviewStepBlinkFourColour, Record(4, 0, 1, 1),
         {3, 0, 0, 0}, 1600, {0, 0, 1, 1600}, Lit(four[0], 255)},
        {"blink four lit, not yet due", &CKestovarUSBDevice::PreviewStepBlinkFourColour, Record(4, 0, 1, 1),
         {1, 0, 1, 1600}, 3199, {1, 0, 1, 1600}, Lit(four[1], 255)},
        {"blink four goes dark", &CKestovarUSBDevice::PreviewStepBlinkFourColour, Record(4, 0, 1, 1),
         {1, 0, 1, 1600}, 3200, {2, 0, 0, 3200}, Lit(kBlack, 0)},
        // Off.
        {"off", &CKestovarUSBDevice::PreviewStepOff, Record(4, 2, 1, 1), {5, 6, 1, 7}, 0, {5, 6, 1, 7},
         Lit(kBlack, 0)},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceProbe device;
        uint64_t now = c.now;
        device.SetClock([&now] { return now; });
        device.SetLightCount(4);
        device.SetLightState(3, PackLightColour(200, 200, 200, 200), 1);  // a flag the step must keep
        device.SetLightingRecord(c.record);
        device.SetCounters(c.before);

        (device.*c.step)();

        EXPECT_EQ(device.GetCounters(), c.after);
        for (int i = 0; i < 4; ++i) {
            LightState expected = c.expected;
            expected.flag = i == 3 ? 1 : 0;
            EXPECT_EQ(device.GetLightState(i), expected) << "light " << i;
        }
    }
}

TEST(PreviewSteps, BlinkingFollowsTheClockOverSeveralSteps)
{
    DeviceProbe device;
    uint64_t now = 10'000;
    device.SetClock([&now] { return now; });
    device.SetLightCount(1);
    device.SetLightingRecord(Record(4, 3, 1, 0));  // speed 3: 2 x 200 ms
    device.SetCounters({0, 0, 0, 10'000});
    std::vector<uint8_t> brightness;
    for (int tick = 0; tick < 10; ++tick) {
        device.PreviewStepBlinkCycle();
        brightness.push_back(device.GetLightState(0).brightness);
        now += 100;
    }
    EXPECT_EQ(brightness, (std::vector<uint8_t>{0, 0, 0, 0, 255, 255, 255, 255, 0, 0}));
}

TEST(PreviewSteps, GetLightingRecordReturnsWhatWasSet)
{
    DeviceProbe device;
    LightingRecord record = Record(1, 2, 1, 0, {1, 2, 3});
    record.SelectItem = 23;
    record.OldLedmode = 6;
    device.SetLightingRecord(record);
    EXPECT_EQ(device.GetLightingRecord(), record);
}

// ---- effect buffers -------------------------------------------------------------------------

TEST(EffectBuffers, FadeKeyLevelUsesTheFadeOfTheMode)
{
    struct Case {
        int mode;
        uint8_t level;
        uint8_t expected;
    };
    const Case cases[] = {
        {0, 40, 25},     // kind-0 fade: 32..63 -15
        {5, 40, 30},     // standard fade: 32..63 -10
        {-3, 40, 30},
        {29, 150, 105},  // audio fade: 144..255 -45
        {29, 140, 100},
        {0, 200, 160},
        {5, 20, 12},
        {5, 1, 0},
        {0, 0, 0},       // 0 stays 0
        {29, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " level " << int{c.level});
        DeviceProbe device;
        device.SetKeyLevel(169, c.level);
        device.FadeKeyLevel(169, c.mode);
        EXPECT_EQ(device.GetKeyLevels()[169], c.expected);
    }
}

TEST(EffectBuffers, FadeOutsideTheBufferChangesNothing)
{
    DeviceProbe device;
    for (size_t i = 0; i < CKestovarUSBDevice::kPerKeyLevelCount; ++i)
        device.SetKeyLevel(i, 100);
    const auto before = device.GetKeyLevels();
    for (int index : {-1, 170, 1000})
        device.FadeKeyLevel(index, 0);
    EXPECT_EQ(device.GetKeyLevels(), before);
}

TEST(EffectBuffers, RaiseMarkedLevelsLooksAtTheFirstNineColumns)
{
    DeviceProbe device;
    for (size_t column : {0u, 4u, 8u, 9u, 22u})
        device.SetColumn(column, 1);
    device.SetKeyLevel(1, 17);
    device.RaiseMarkedLevels();
    const auto levels = device.GetKeyLevels();
    EXPECT_EQ(levels[0], 255);
    EXPECT_EQ(levels[1], 17);
    EXPECT_EQ(levels[4], 255);
    EXPECT_EQ(levels[8], 255);
    EXPECT_EQ(levels[9], 0);
    EXPECT_EQ(levels[22], 0);
}

TEST(EffectBuffers, RotateColumnsByOnePlace)
{
    DeviceProbe device;
    for (size_t i = 0; i < CKestovarUSBDevice::kColumnCount; ++i)
        device.SetColumn(i, static_cast<uint8_t>(i + 1));
    device.RotateColumns(1);  // towards higher indices: the last comes to the front
    auto columns = device.GetColumns();
    EXPECT_EQ(columns[0], 23);
    EXPECT_EQ(columns[1], 1);
    EXPECT_EQ(columns[22], 22);

    device.RotateColumns(0);  // back again
    device.RotateColumns(0);  // towards lower indices: the first goes to the end
    columns = device.GetColumns();
    EXPECT_EQ(columns[0], 2);
    EXPECT_EQ(columns[21], 23);
    EXPECT_EQ(columns[22], 1);
}

TEST(EffectBuffers, ClearZeroesBoth)
{
    DeviceProbe device;
    device.SetKeyLevel(3, 9);
    device.SetColumn(3, 9);
    device.ClearEffectBuffers();
    EXPECT_EQ(device.GetKeyLevels(), (std::array<uint8_t, CKestovarUSBDevice::kPerKeyLevelCount>{}));
    EXPECT_EQ(device.GetColumns(), (std::array<uint8_t, CKestovarUSBDevice::kColumnCount>{}));
}

}  // namespace
}  // namespace dw
