// Group readers and writers on documents of the wrong shape: nothing throws, nothing crashes,
// and a damaged member reads as missing so that its field keeps its default.

#include "profiles/CHs6533Profiledata.h"
#include "profiles/CKeyboardProfiledata.h"
#include "profiles/CMouseProfiledata.h"
#include "profiles/JsonDocument.h"
#include "profiles/KeyListGroup.h"

#include "keyboard/LogicalKeys.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace dw {
namespace {

using json::GroupRead;

// Reads every group of every family out of `settings`, then writes every group back into it.
void ExerciseEveryGroup(const Json::Value& settings)
{
    CKeyboardProfiledata keyboard;
    keyboard.DeviceSettings() = settings;
    keyboard.SecondarySettings() = settings;
    keyboard.GetLightingRecord();
    keyboard.GetLightList();
    keyboard.GetSystemStages();
    keyboard.GetAudioLightRecord();
    const std::vector<KeyEntry> keys = keyboard.GetKeyList();
    keyboard.GetSecondaryKeyList();
    const int group = keyboard.GetCustomLightGroupIndex();
    const std::vector<CustomKeyColor> colors = keyboard.GetCustomLightGroup(group);
    keyboard.SetKeyList(keys.empty() ? MakeDefaultKeyList() : keys);
    keyboard.SetSecondaryKeyList(MakeDefaultKeyList());
    keyboard.SetCustomLightGroup(group, colors);
    keyboard.SetCustomLightGroupIndex(group);
    keyboard.SetSystemStages(keyboard.GetSystemStages());
    keyboard.SetAudioLightRecord(keyboard.GetAudioLightRecord());
    keyboard.SetLightingRecord(keyboard.GetLightingRecord());
    keyboard.SetLightList(keyboard.GetLightList());

    CMouseProfiledata mouse;
    mouse.DeviceSettings() = settings;
    mouse.GetKeyList();
    mouse.GetCorrectInfo();
    mouse.SetDpiStages(mouse.GetDpiStages());
    mouse.SetCurrentDpiStage(mouse.GetCurrentDpiStage());
    mouse.SetPointerSettings(mouse.GetPointerSettings());

    CHs6533Profiledata headset;
    headset.DeviceSettings() = settings;
    const HeadsetRecord record = headset.GetHeadsetRecord();
    headset.GetPresetGains(record.EqType);
    headset.SetPresetGains(record.EqType, headset.GetPresetGains(0));
    headset.SetCustomEqNames(headset.GetCustomEqNames());
    headset.SetCustomEqGains(headset.GetCustomEqGains());
    headset.SetHeadsetRecord(record);
}

TEST(GroupReaders, MalformedDocumentsNeitherThrowNorCrash)
{
    const char* documents[] = {
        "null",
        "17",
        "\"text\"",
        "[]",
        "[[[[[[[[[[]]]]]]]]]]",
        "{}",
        R"({"Device": 5})",
        R"({"Device": [5]})",
        R"({"Device": [[]]})",
        R"({"LightInfo": "bright", "LightList": {"a": 1}, "KeyList": {"0": 1}})",
        R"({"LightInfo": {"SelectItem": "1", "Light": [4], "Speed": {}, "Fx": null, "MultiColor": "yes",
            "Red": 1e300, "Green": -1e300, "Blue": 9223372036854775807, "ZZCCLedMode": 18446744073709551615}})",
        R"({"LightList": [null, 1, "x", [], {"Time": -1, "Cyle": 4294967296, "red": 3.5}]})",
        R"({"KeyList": [1, "x", null, [], {"Assignment": 1099511627776}, {"Assignment": -1, "DefaultAssignment": 16777216}]})",
        R"({"SystemStages": "fast", "AudioLightInfo": [], "CustomLightMode": 3, "CustomLightModeGroupIndex": 1e9})",
        R"({"CustomLightMode": {"LightColorInfo": [null, "x", [1, 2, {"Red": "r"}]]}, "CustomLightModeGroupIndex": 2})",
        R"({"CustomLightModeGroupIndex": -3})",
        R"({"DPIStages": [], "ReportStages": "1000Hz", "CorrectInfo": {"CorrectName": 1}})",
        R"({"DPIStages": {"StageActive": "2", "StageDPIs": {"0": {}}}})",
        R"({"DPIStages": {"StageActive": 2147483648, "StageDPIs": [null, 1, {"StageDPIX": 70000}]}})",
        R"({"SystemStages": {"MouseSpeed": []}, "ReportStages": {"StageActive": "x"}, "CorrectInfo": [1, {"CorrectName": [1]}]})",
        R"({"SystemSetStages": [], "EQHzValueInfo": "flat", "CustomEQNameInfo": [1, {"Name": 2}], "CustomEQHzValueInfo": [[{"value": "x"}], 4]})",
        R"({"SystemSetStages": {"EqType": 13}, "EQHzValueInfo": [1, 2, [null, {"value": 1e40}]]})",
        R"({"SystemSetStages": {"EqType": 14}, "EQHzValueInfo": [[], [{"value": 1}, {"value": "2"}]]})",
        R"({"SystemSetStages": {"EqType": -2147483648}})",
        R"({"\u0000": 1, "LightInfo": {"\u0000Red": 1}})",
    };
    for (const char* text : documents) {
        SCOPED_TRACE(text);
        const Json::Value document = ParseJsonText(text);
        ASSERT_FALSE(document.isNull() && std::string_view(text) != "null") << "fixture is not JSON";
        EXPECT_NO_THROW(ExerciseEveryGroup(document));
        EXPECT_NO_THROW(ExerciseEveryGroup(json::Element(json::Member(document, "Device"), 0)));
        EXPECT_NO_THROW(StyledJsonText(document));
    }
}

TEST(GroupReaders, DamagedMembersKeepTheirDefaults)
{
    const Json::Value settings = ParseJsonText(R"({
        "LightInfo": {"SelectItem": "3", "Light": 2, "Speed": [1], "Red": 1e300, "MultiColor": false},
        "KeyList": [{"Assignment": 16777216, "DefaultAssignment": 2097193}, {"Assignment": 1.5}],
        "SystemSetStages": {"EqType": "13", "MicInValue": 37}
    })");
    LightingRecord record;
    EXPECT_EQ(ReadLightingRecord(settings, record), GroupRead::Partial);
    LightingRecord expected;
    expected.Light = 2;
    expected.MultiColor = 0;
    EXPECT_EQ(record, expected);

    std::vector<KeyEntry> keys;
    EXPECT_EQ(ReadKeyList(settings, KeyboardDefaultAssignments(), keys), GroupRead::Partial);
    EXPECT_EQ(keys[0].current, (Assignment{0x20, 0x00, 0x29}));  // above 0xFFFFFF: not an assignment
    EXPECT_EQ(keys[1].current, DefaultAssignmentOf(1));

    HeadsetRecord headset;
    EXPECT_EQ(ReadHeadsetRecord(settings, headset), GroupRead::Partial);
    EXPECT_EQ(headset.EqType, 0);
    EXPECT_EQ(headset.MicInValue, 37);
}

TEST(GroupReaders, DpiStagesAreOverlaidAndNeverShortened)
{
    std::vector<DpiStage> stages(5, DpiStage{1, 0, 10, 10, 1, 2, 3});
    int current = 4;
    const Json::Value settings = ParseJsonText(R"({"DPIStages": {"StageActive": 1, "StageDPIs": [
        {"StageActive": 0, "StageXY": 0, "StageDPIX": 70001, "StageDPIY": 7, "StageColorR": 255, "StageColorG": 0, "StageColorB": 0}
    ]}})");
    EXPECT_EQ(ReadDpiStages(settings, stages, current), GroupRead::Complete);
    ASSERT_EQ(stages.size(), 5u);
    EXPECT_EQ(stages[0], (DpiStage{0, 0, 70001 & 0xFFFF, 7, 255, 0, 0}));
    EXPECT_EQ(stages[4], (DpiStage{1, 0, 10, 10, 1, 2, 3}));
    EXPECT_EQ(current, 1);

    // A list far longer than any mouse has is read up to the limit.
    Json::Value many = ParseJsonText(R"({"DPIStages": {"StageDPIs": []}})");
    for (int i = 0; i < 1000; ++i)
        many["DPIStages"]["StageDPIs"].append(Json::Value(Json::objectValue));
    EXPECT_EQ(ReadDpiStages(many, stages, current), GroupRead::Partial);
    EXPECT_EQ(stages.size(), kMaxDpiStages);

    // Without the group the list is left alone.
    EXPECT_EQ(ReadDpiStages(Json::Value(), stages, current), GroupRead::Missing);
    EXPECT_EQ(stages.size(), kMaxDpiStages);
}

TEST(GroupReaders, PointerSettingsNeedTheirGroupAndReportRateFollowsIt)
{
    MousePointerSettings pointer;
    pointer.MouseSpeed = 9;
    // "ReportStages" alone is not read: without "SystemStages" everything is 0.
    EXPECT_EQ(ReadMousePointerSettings(ParseJsonText(R"({"ReportStages": {"StageActive": 3}})"), pointer),
              GroupRead::Missing);
    EXPECT_EQ(pointer, MousePointerSettings{});

    Json::Value settings;
    MousePointerSettings written{1, 2, 3, 4, 5, 7};
    WriteMousePointerSettings(settings, written);
    EXPECT_EQ(ReadMousePointerSettings(settings, pointer), GroupRead::Complete);
    EXPECT_EQ(pointer, written);
}

TEST(GroupReaders, PresetGainsFollowTheEqualiserType)
{
    Json::Value settings;
    WritePresetGains(settings, 1, kEqPresetGains[0]);
    WritePresetGains(settings, 5, kEqPresetGains[4]);
    WritePresetGains(settings, 13, kEqPresetGains[1]);  // not a preset: ignored
    EXPECT_EQ(settings["EQHzValueInfo"].size(), 6u);

    struct Case {
        int eqType;
        GroupRead read;
        EqGains gains;
    };
    const Case cases[] = {
        {1, GroupRead::Complete, kEqPresetGains[0]},
        {5, GroupRead::Complete, kEqPresetGains[4]},
        {0, GroupRead::Complete, kEqPresetGains[0]},    // reads preset 1
        {14, GroupRead::Complete, kEqPresetGains[0]},   // reads preset 1
        {13, GroupRead::Missing, EqGains{}},            // the custom curve is used instead
        {3, GroupRead::Missing, EqGains{}},             // never stored
    };
    for (const Case& c : cases) {
        EqGains gains{};
        gains.fill(99);
        EXPECT_EQ(ReadPresetGains(settings, c.eqType, gains), c.read) << c.eqType;
        EXPECT_EQ(gains, c.gains) << c.eqType;
    }
}

TEST(GroupReaders, CustomLightGroupsAreCreatedZeroFilledAndBounded)
{
    CKeyboardProfiledata profile;
    std::vector<CustomKeyColor> colors(logicalkey::kCount);
    colors[5] = {1, 2, 3, 255, true};
    ASSERT_TRUE(profile.SetCustomLightGroup(2, colors));
    EXPECT_EQ(profile.GetCustomLightGroup(2), colors);
    EXPECT_EQ(profile.GetCustomLightGroup(0), std::vector<CustomKeyColor>(logicalkey::kCount));
    EXPECT_EQ(profile.DeviceSettings()["CustomLightMode"]["LightColorInfo"][0].size(), logicalkey::kCount);
    EXPECT_FALSE(profile.SetCustomLightGroup(kMaxCustomLightGroups, colors));
    EXPECT_FALSE(profile.SetCustomLightGroup(-1, colors));
    EXPECT_EQ(profile.DeviceSettings()["CustomLightMode"]["LightColorInfo"].size(), 3u);
}

TEST(GroupReaders, EveryRecordRoundTripsThroughADocument)
{
    test::TempFolder folder;
    const std::wstring path = folder.File("profile.Json");

    CKeyboardProfiledata keyboard;
    LightingRecord light{7, 3, 1, 1, 0, 10, 20, 30, {}, 4, 5, 6};
    keyboard.SetLightingRecord(light);
    LightStep step{1, 2, 3, 1, 0, 4, 5, 6, 4000000000u, 9, true};
    keyboard.SetLightList({step, LightStep{}});
    keyboard.SetAudioLightRecord({6, 1, 2, 3, 4, 5, 6, 1, 1});
    keyboard.SetSystemStages({1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(keyboard.WriteDeviceSettings(keyboard.DeviceSettings(), path));

    CKeyboardProfiledata reread;
    reread.LoadDeviceSettings(path);
    EXPECT_EQ(reread.GetLightingRecord(), light);
    EXPECT_EQ(reread.GetLightList(), (std::vector<LightStep>{step, LightStep{}}));
    EXPECT_EQ(reread.GetAudioLightRecord(), (AudioLightInfo{6, 1, 2, 3, 4, 5, 6, 1, 1}));
    EXPECT_EQ(reread.GetSystemStages(), (KeyboardSystemStages{1, 2, 3, 4, 5, 6}));

    CHs6533Profiledata headset;
    const std::vector<std::wstring> names{L"Caf\u00E9", L"\u65E5\u672C\u8A9E", L"Night"};
    headset.SetCustomEqNames(names);
    headset.SetCustomEqGains({kEqPresetGains[2], kEqPresetGains[9], kEqPresetGains[11]});
    headset.SetHeadsetRecord({1, 3, 13, 2, 1, 37, 0, 50});
    ASSERT_TRUE(headset.WriteDeviceSettings(headset.DeviceSettings(), path));
    CHs6533Profiledata headsetReread;
    headsetReread.LoadDeviceSettings(path);
    EXPECT_EQ(headsetReread.GetCustomEqNames(), names);
    EXPECT_EQ(headsetReread.GetCustomEqGains(), (std::vector<EqGains>{kEqPresetGains[2], kEqPresetGains[9], kEqPresetGains[11]}));
    EXPECT_EQ(headsetReread.GetHeadsetRecord(), (HeadsetRecord{1, 3, 13, 2, 1, 37, 0, 50}));

    CMouseProfiledata mouse;
    const std::vector<DpiStage> stages{{1, 0, 3, 3, 255, 0, 0}, {0, 1, 700, 800, 0, 0, 255}};
    mouse.SetDpiStages(stages);
    mouse.SetCurrentDpiStage(1);
    mouse.SetPointerSettings({5, 4, 1, 0, 2, 3});
    ASSERT_TRUE(mouse.WriteDeviceSettings(mouse.DeviceSettings(), path));
    CMouseProfiledata mouseReread;
    mouseReread.LoadDeviceSettings(path);
    EXPECT_EQ(mouseReread.GetDpiStages(), stages);
    EXPECT_EQ(mouseReread.GetCurrentDpiStage(), 1);
    EXPECT_EQ(mouseReread.GetPointerSettings(), (MousePointerSettings{5, 4, 1, 0, 2, 3}));
}

}  // namespace
}  // namespace dw
