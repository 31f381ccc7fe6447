// The device list's pure parts and its two small controls: the synchronised-lighting tables and
// steps, the icons by kind, the battery control's reading of a status block, the ring's sweep.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <filesystem>
#include <memory>
#include <string>

#include "keyboard/LightingTables.h"
#include "shell/devices/CCircleProgressUI.h"
#include "shell/devices/CMpDevicePowerUI.h"
#include "shell/devices/ControlLookup.h"
#include "shell/devices/DeviceIcons.h"
#include "shell/devices/DeviceListConstants.h"
#include "shell/devices/DeviceListControls.h"
#include "shell/devices/SyncLighting.h"
#include "transport/DeviceKinds.h"
#include "ui/backend/headless/CHeadlessBackend.h"
#include "ui/backend/qt/CQtRenderContext.h"
#include "ui/core/CControlFactory.h"
#include "ui/core/CDialogBuilder.h"
#include "ui/core/CPaintManagerUI.h"

namespace dw {
namespace {

// ---- synchronised lighting ----------------------------------------------------------------------

TEST(SyncLightingTable, EveryTypeMapsBackFromItsModeInEveryFamily)
{
    for (int type = 0; type < synclight::kTypeCount; ++type) {
        for (int f = 0; f < family::kCount; ++f) {
            SCOPED_TRACE("type " + std::to_string(type) + " family " + std::to_string(f));
            const std::optional<uint8_t> mode = SyncModeOf(type, f);
            ASSERT_TRUE(mode.has_value());
            EXPECT_EQ(SyncTypeOfEffect(f, *mode), type);
        }
    }
}

TEST(SyncLightingTable, ColumnsAsTheTypeTableGivesThem)
{
    struct Row {
        int family;
        uint8_t effect;
        std::optional<int> type;
    };
    const Row rows[] = {
        {family::kKeyboard, 6, 0},  {family::kKeyboard, 5, 1},  {family::kKeyboard, 23, 2}, {family::kKeyboard, 40, 3},
        {family::kKeyboard, 22, 4}, {family::kKeyboard, 2, std::nullopt},
        {family::kMouse, 2, 0},     {family::kMouse, 10, 4},    {family::kMouse, 6, std::nullopt},
        {family::kMousepad, 8, 4},  {family::kHeadset, 1, 3},   {family::kHeadset, 10, std::nullopt},
        {-1, 5, std::nullopt},      {family::kCount, 5, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("family " + std::to_string(row.family) + " effect " + std::to_string(row.effect));
        EXPECT_EQ(SyncTypeOfEffect(row.family, row.effect), row.type);
    }
    EXPECT_FALSE(SyncModeOf(5, family::kMouse).has_value());
    EXPECT_FALSE(SyncModeOf(-1, family::kMouse).has_value());
}

TEST(SyncLightingTable, ThresholdsBySpeedLevel)
{
    const int expected[] = {8, 6, 4, 2, 1};
    for (int speed = 0; speed < 5; ++speed)
        EXPECT_EQ(SyncStepThreshold(speed), expected[speed]);
    EXPECT_EQ(SyncStepThreshold(9), 8) << "an unknown speed steps slowest";
}

SyncLightingState State(int type, uint8_t brightness = 4, uint8_t multi = 0, uint8_t speed = 0, uint8_t direction = 1)
{
    SyncLightingState s;
    s.type = type;
    s.brightness = brightness;
    s.multiColour = multi;
    s.speed = speed;
    s.direction = direction;
    s.red = 10;
    s.green = 20;
    s.blue = 30;
    return s;
}

TEST(SyncLightingStep, StaticAndOff)
{
    CSyncLightingStepper stepper;
    EXPECT_EQ(stepper.Step(State(synclight::kTypeStatic, 2), 0), (LightState{10, 20, 30, lighting::kBrightnessValues[2], 0}));
    EXPECT_EQ(stepper.Step(State(synclight::kTypeOff), 0), LightState{});
}

TEST(SyncLightingStep, BreathingFollowsTheBreathCurveAndWrapsWithinItsLength)
{
    CSyncLightingStepper stepper;
    const SyncLightingState state = State(synclight::kTypeBreathing, 4);
    for (unsigned i = 1; i < synclight::kBreathLength; ++i) {
        const LightState light = stepper.Step(state, 0);
        ASSERT_EQ(stepper.BreathCounter(), i);
        EXPECT_EQ(light.brightness, lighting::kBreathCurve[i] * 255u / 256u);
        EXPECT_EQ(light.red, 10);
    }
    stepper.Step(state, 0);
    EXPECT_EQ(stepper.BreathCounter(), 0u) << "the counter wraps at 128";
}

TEST(SyncLightingStep, BreathingDownwardsWrapsToTheTop)
{
    CSyncLightingStepper stepper;
    stepper.Step(State(synclight::kTypeBreathing, 4, 0, 0, 0), 0);
    EXPECT_EQ(stepper.BreathCounter(), synclight::kBreathLength - 1);
}

TEST(SyncLightingStep, MultiColourBreathingMovesTheHueOnlyAtTheBottomOfTheBreath)
{
    CSyncLightingStepper stepper;
    const SyncLightingState state = State(synclight::kTypeBreathing, 4, 1);
    stepper.Step(state, 0);  // counter 1: below 2, the hue moves
    EXPECT_EQ(stepper.Hue(), 16u);
    stepper.Step(state, 0);  // counter 2: it stays
    EXPECT_EQ(stepper.Hue(), 16u);
}

TEST(SyncLightingStep, BlinkingTogglesAfterItsIntervalAndAdvancesTheHue)
{
    CSyncLightingStepper stepper;
    const SyncLightingState state = State(synclight::kTypeBlinking, 4, 1, 3);  // 2 x 200 ms
    const LightState first = stepper.Step(state, 400);
    EXPECT_TRUE(stepper.BlinkOn());
    EXPECT_EQ(stepper.BlinkHue(), 14u);
    EXPECT_EQ(first.brightness, 255);
    stepper.Step(state, 799);
    EXPECT_TRUE(stepper.BlinkOn()) << "not yet 400 ms since the toggle";
    EXPECT_EQ(stepper.Step(state, 800), LightState{}) << "off: black at brightness 0";
}

TEST(SyncLightingStep, WheelWrapsAtTheHueCycle)
{
    CSyncLightingStepper stepper;
    const SyncLightingState state = State(synclight::kTypeWheel, 1);
    LightState light;
    for (unsigned i = 0; i < synclight::kHueCycle; ++i)
        light = stepper.Step(state, 0);
    EXPECT_EQ(stepper.WheelHue(), 0u);
    EXPECT_EQ(light.brightness, lighting::kBrightnessValues[1]);
}

// ---- icons -----------------------------------------------------------------------------------

TEST(DeviceIcons, FamilyPartByKindAndRole)
{
    struct Row {
        int kind;
        int role;
        const wchar_t* part;
    };
    const Row rows[] = {{1, 0, L"kb"},      {2, 0, L"ms"}, {3, 0, L"hard_mp"}, {3, 1, L"soft_mp"}, {3, 255, L"unknow"},
                        {4, 0, L"hd"},      {7, 0, L"hd"}, {5, 0, L"hub"},     {6, 0, L"unknow"},  {9, 0, L"unknow"},
                        {0, 0, L"unknow"}};
    for (const Row& row : rows)
        EXPECT_EQ(DeviceIconPart(row.kind, row.role), row.part) << row.kind << "/" << row.role;
    const DeviceIconSet kb = DeviceIconsFor(1, 0);
    EXPECT_EQ(kb.normal, L"common/device_ico/kb_device_normal.png");
    EXPECT_EQ(kb.synchroSelected, L"common/device_ico/kb_device_synchro_selected.png");
    EXPECT_EQ(kb.nameKey, L"kb_device_name_text");
}

TEST(DeviceIcons, EveryKindsFourIconsExistAtBothScales)
{
    const std::string skin = std::string(DW_RESOURCES_DIR) + "/skin/";
    for (int kind : {0, 1, 2, 4, 5, 7}) {
        for (int role : {0, 1}) {
            const DeviceIconSet set = DeviceIconsFor(kind, kind == 3 ? role : 0);
            for (const std::wstring& image : {set.normal, set.selected, set.synchroNormal, set.synchroSelected}) {
                const std::string path = skin + std::string(image.begin(), image.end());
                EXPECT_TRUE(std::filesystem::exists(path)) << path;
                const std::string twice = path.substr(0, path.size() - 4) + "@2x.png";
                EXPECT_TRUE(std::filesystem::exists(twice)) << twice;
            }
        }
    }
}

// ---- battery control -------------------------------------------------------------------------------

class PowerControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string folder = std::string(DW_RESOURCES_DIR) + "/skin/";
        ui::CPaintManagerUI::SetResourcePath(std::wstring(folder.begin(), folder.end()));
        RegisterDeviceListControls(ui::CControlFactory::GetInstance());
    }

    std::unique_ptr<ui::CControlUI> Build(int kind)
    {
        ui::CDialogBuilder builder;
        std::unique_ptr<ui::CControlUI> root(builder.Create(devlist::kPowerLayoutFile));
        EXPECT_FALSE(builder.HasErrors());
        power = root ? static_cast<CMpDevicePowerUI*>(root->GetInterface(CMpDevicePowerUI::kClassName)) : nullptr;
        if (power != nullptr) {
            power->SetKindAndRole(kind, 0);
            // Shown, so that the visibility of its parts is their own.
            power->SetPowerPageFlag(1);
        }
        return root;
    }

    ui::CControlUI* Part(const wchar_t* name) { return FindNamedControl(power, name); }
    CCircleProgressUI* Ring()
    {
        return FindNamedControlAs<CCircleProgressUI>(power, devlist::kPowerProgress, CCircleProgressUI::kClassName);
    }

    ui::headless::CHeadlessBackend backend;  // images and fonts need its application object
    CMpDevicePowerUI* power = nullptr;
};

TEST_F(PowerControlTest, TheLayoutHasEveryPartAndTheRingIsACircleProgress)
{
    auto root = Build(kind::kMouse);
    ASSERT_NE(power, nullptr);
    EXPECT_TRUE(power->MissingControls().empty());
    ASSERT_NE(Ring(), nullptr);
}

TEST_F(PowerControlTest, LevelEightyFiveShowsItsTextAndTheUsedPartOnTheRing)
{
    auto root = Build(kind::kMouse);
    const uint8_t block[] = {85, 2, 0, 1};
    power->ShowPowerStatus(block);
    EXPECT_EQ(Part(devlist::kPowerValue)->GetText(), L"85%");
    EXPECT_EQ(Ring()->GetValue(), 15);
    EXPECT_TRUE(Part(devlist::kPowerWirelessLogo)->IsVisible()) << "byte 3 = 1: through the receiver";
    EXPECT_EQ(Part(devlist::kPowerStatus)->GetBkImage(), L"file='power/power.png'");
}

TEST_F(PowerControlTest, StateImagesAndTheRingWhileCharging)
{
    struct Row {
        uint8_t state;
        uint8_t receiver;
        const wchar_t* image;
        bool ringShown;
    };
    const Row rows[] = {
        {0, 0, L"file='power/powered.png'", true},
        {1, 0, L"file='power/powering.png'", true},
        {1, 1, L"file='power/powering.png'", false},
        {2, 1, L"file='power/power.png'", true},
    };
    auto root = Build(kind::kKeyboard);
    for (const Row& row : rows) {
        const uint8_t block[] = {50, row.state, 0, row.receiver};
        power->ShowPowerStatus(block);
        EXPECT_EQ(Part(devlist::kPowerStatus)->GetBkImage(), row.image);
        EXPECT_EQ(Ring()->IsVisible(), row.ringShown) << int(row.state) << "/" << int(row.receiver);
        EXPECT_EQ(Part(devlist::kPowerWirelessLogo)->IsVisible(), row.receiver == 1);
    }
}

TEST_F(PowerControlTest, ShortOrEmptyBlocksReadAsZeros)
{
    auto root = Build(kind::kMousepad);
    power->ShowPowerStatus({});
    EXPECT_EQ(Part(devlist::kPowerValue)->GetText(), L"0%");
    EXPECT_EQ(Ring()->GetValue(), 100);
    EXPECT_EQ(Part(devlist::kPhoneType)->GetText(), L"Phone_type_no_device");
}

TEST_F(PowerControlTest, PhoneOnTheMousepad)
{
    struct Row {
        uint8_t code;
        const wchar_t* key;
    };
    const Row rows[] = {{1, L"Phone_type_iphone"}, {2, L"Phone_type_samsung"}, {3, L"Phone_type_other"},
                        {0, L"Phone_type_no_device"}, {9, L"Phone_type_no_device"}};
    auto root = Build(kind::kMousepad);
    for (const Row& row : rows) {
        const uint8_t block[] = {100, 0, 0, 0, 0, row.code};
        power->ShowPowerStatus(block);
        ui::CControlUI* phone = Part(devlist::kPhoneType);
        EXPECT_EQ(phone->GetText(), row.key);
        EXPECT_EQ(phone->GetBkImage(), L"file='power/" + std::wstring(row.key) + L".png'");
    }
}

TEST_F(PowerControlTest, OtherKindsLeaveThePhoneAloneAndTheMousepadHasNoReceiverLogo)
{
    auto root = Build(kind::kMouse);
    const uint8_t block[] = {40, 2, 0, 0, 0, 1};
    power->ShowPowerStatus(block);
    EXPECT_FALSE(Part(devlist::kPhoneType)->IsVisible());
    auto pad = Build(kind::kMousepad);
    const uint8_t padBlock[] = {40, 2, 0, 1};
    power->ShowPowerStatus(padBlock);
    EXPECT_FALSE(Part(devlist::kPowerWirelessLogo)->IsVisible());
}

TEST_F(PowerControlTest, ThePowerLayoutFollowsThePowerPageFlag)
{
    auto root = Build(kind::kMouse);
    power->SetPowerPageFlag(1);
    EXPECT_TRUE(Part(devlist::kPowerLayout)->IsVisible());
    power->SetPowerPageFlag(0);
    EXPECT_FALSE(Part(devlist::kPowerLayout)->IsVisible());
}

TEST(CircleProgress, SweepIsValueOverTheRange)
{
    CCircleProgressUI ring;
    ring.SetMinValue(0);
    ring.SetMaxValue(100);
    ring.SetValue(15);
    EXPECT_DOUBLE_EQ(ring.SweepDegrees(), 54.0);
    ring.SetValue(100);
    EXPECT_DOUBLE_EQ(ring.SweepDegrees(), 360.0);
    ring.SetMaxValue(0);
    EXPECT_DOUBLE_EQ(ring.SweepDegrees(), 0.0) << "an empty range draws no pie";
}

TEST(CircleProgress, PaintsARingWhosePieStartsAtTwelveOClock)
{
    ui::headless::CHeadlessBackend backend;  // the Qt application object for painting
    constexpr ui::UIColor kBackground = 0xFF00C000;
    constexpr ui::UIColor kForeground = 0xFF000080;
    CCircleProgressUI ring;
    ring.SetPos({0, 0, 40, 40}, false);
    ring.SetBkColor(kBackground);
    ring.SetForeColor(kForeground);
    ring.SetValue(25);  // a quarter: from twelve o'clock round to nine o'clock
    QImage image(40, 40, QImage::Format_ARGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        ui::qt::CQtRenderContext context(painter);
        ring.DoPaint(context, {0, 0, 40, 40});
    }
    EXPECT_EQ(image.pixel(9, 9), kForeground) << "top left of the ring: inside the pie";
    EXPECT_EQ(image.pixel(30, 9), kBackground) << "top right: outside it";
    EXPECT_EQ(image.pixel(20, 33), kBackground) << "bottom";
    EXPECT_EQ(image.pixel(20, 20), 0xFFFFFFFFu) << "the white centre";
    EXPECT_EQ(image.pixel(1, 1), 0xFF000000u) << "the corners stay unpainted";
}

}  // namespace
}  // namespace dw
