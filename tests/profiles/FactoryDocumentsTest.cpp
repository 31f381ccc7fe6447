// The factory documents shipped in the resource folder, loaded through the real profile
// classes: every group of each family must be present and complete, so that a new profile
// starts from these values and not from a reader's fallback.

#include "profiles/CBasicProfiledata.h"
#include "profiles/CHs6533Profiledata.h"
#include "profiles/CKeyboardProfiledata.h"
#include "profiles/CMouseProfiledata.h"
#include "profiles/JsonDocument.h"
#include "profiles/KeyListGroup.h"
#include "profiles/ProfileFolders.h"

#include "keyboard/LogicalKeys.h"
#include "platform/Utf8.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace dw {
namespace {

using json::GroupRead;
using test::TempFolder;

class FactoryDocumentsTest : public ::testing::Test {
protected:
    // Loads a new, empty profile of `family`, which fills it from the factory document.
    void Load(CBasicProfiledata& profile, const wchar_t* family)
    {
        const std::wstring factory = folders_.FactoryProfilePath(family);
        ASSERT_TRUE(ReadJsonDocument(factory).isObject()) << "factory document missing: " << platform::WideToUtf8(factory);
        profile.SetDefaultProfilePath(factory);
        profile.SetProfilePath(user_.File("2025_01_07_09_05_03_042.Json"));
        ASSERT_TRUE(profile.LoadDeviceSettings(profile.GetProfilePath()).isObject());

        LightingRecord record;
        EXPECT_EQ(ReadLightingRecord(profile.DeviceSettings(), record), GroupRead::Complete);
        std::vector<LightStep> steps;
        EXPECT_EQ(ReadLightList(profile.DeviceSettings(), steps), GroupRead::Complete);
        EXPECT_FALSE(steps.empty());
    }

    CProfileFolders folders_{L"/nonexistent", platform::Utf8ToWide(DW_RESOURCES_DIR)};
    TempFolder user_;
};

TEST_F(FactoryDocumentsTest, KeyboardCarriesEveryGroup)
{
    CKeyboardProfiledata profile;
    Load(profile, L"keyboard");
    const Json::Value& settings = profile.DeviceSettings();

    std::vector<KeyEntry> keys;
    EXPECT_EQ(ReadKeyList(settings, KeyboardDefaultAssignments(), keys), GroupRead::Complete);
    EXPECT_EQ(settings["KeyList"].size(), logicalkey::kCount);
    EXPECT_EQ(keys, MakeDefaultKeyList());

    KeyboardSystemStages stages;
    EXPECT_EQ(ReadKeyboardSystemStages(settings, stages), GroupRead::Complete);
    AudioLightInfo audio;
    EXPECT_EQ(ReadAudioLightRecord(settings, audio), GroupRead::Complete);
    int group = -1;
    EXPECT_EQ(ReadCustomLightGroupIndex(settings, group), GroupRead::Complete);
    std::vector<CustomKeyColor> colors;
    EXPECT_EQ(ReadCustomLightGroup(settings, group, logicalkey::kCount, colors), GroupRead::Complete);
}

TEST_F(FactoryDocumentsTest, MouseCarriesEveryGroup)
{
    CMouseProfiledata profile;
    Load(profile, L"mouse");
    const Json::Value& settings = profile.DeviceSettings();

    std::vector<KeyEntry> buttons;
    EXPECT_EQ(ReadKeyList(settings, kMouseFactoryButtons, buttons), GroupRead::Complete);
    ASSERT_EQ(buttons.size(), kMouseButtonCount);
    for (size_t i = 0; i < kMouseButtonCount; ++i)
        EXPECT_EQ(buttons[i], MakeKeyEntry(static_cast<uint16_t>(i), kMouseFactoryButtons[i], kMouseFactoryButtons[i]));

    std::vector<DpiStage> stages;
    int current = -1;
    EXPECT_EQ(ReadDpiStages(settings, stages, current), GroupRead::Complete);
    EXPECT_EQ(stages.size(), 5u);
    EXPECT_GE(current, 0);
    EXPECT_LT(current, 5);
    for (const DpiStage& stage : stages)
        EXPECT_NE(stage.red | stage.green | stage.blue, 0) << "every stage has a colour";

    MousePointerSettings pointer;
    EXPECT_EQ(ReadMousePointerSettings(settings, pointer), GroupRead::Complete);
    std::vector<CorrectEntry> corrections;
    EXPECT_EQ(ReadCorrectInfo(settings, corrections), GroupRead::Complete);
}

TEST_F(FactoryDocumentsTest, MousePadCarriesItsLighting)
{
    CBasicProfiledata profile;
    Load(profile, L"MousePad");
}

TEST_F(FactoryDocumentsTest, HeadsetCarriesEveryGroup)
{
    CHs6533Profiledata profile;
    Load(profile, L"HD");
    const Json::Value& settings = profile.DeviceSettings();

    HeadsetRecord record;
    EXPECT_EQ(ReadHeadsetRecord(settings, record), GroupRead::Complete);
    for (int preset = kFirstEqPreset; preset <= kLastEqPreset; ++preset) {
        EqGains gains{};
        EXPECT_EQ(ReadPresetGains(settings, preset, gains), GroupRead::Complete) << preset;
        EXPECT_EQ(gains, kEqPresetGains[static_cast<size_t>(preset - 1)]) << preset;
    }
    std::vector<std::wstring> names;
    EXPECT_EQ(ReadCustomEqNames(settings, names), GroupRead::Complete);
    std::vector<EqGains> curves;
    EXPECT_EQ(ReadCustomEqGains(settings, curves), GroupRead::Complete);
}

TEST_F(FactoryDocumentsTest, FactoryDocumentsAreInTheWrittenLayout)
{
    // A factory document edited by hand must still look like one the program writes.
    for (const wchar_t* family : {L"keyboard", L"mouse", L"MousePad", L"HD"}) {
        const std::wstring path = folders_.FactoryProfilePath(family);
        const std::string bytes = ReadFileText(path);
        EXPECT_EQ(StyledJsonText(ParseJsonText(bytes)), bytes) << platform::WideToUtf8(family);
    }
}

}  // namespace
}  // namespace dw
