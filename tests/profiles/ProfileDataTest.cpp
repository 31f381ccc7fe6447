#include "profiles/CBasicProfiledata.h"
#include "profiles/CKeyboardProfiledata.h"
#include "profiles/JsonDocument.h"

#include "keyboard/LogicalKeys.h"
#include "platform/Utf8.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace dw {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

// A temporary user folder with a small factory document, and a profile object pointed at it.
class ProfileDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        factorySettings_["LightInfo"]["Light"] = 3;
        factorySettings_["SystemStages"]["Repeat"] = 20;
        Json::Value factory;
        factory["Device"].append(factorySettings_);
        ASSERT_TRUE(WriteJsonDocument(folder_.File("factory.Json"), factory));
        profile_.SetDefaultProfilePath(folder_.File("factory.Json"));
        profile_.SetProfilePath(ProfilePath());
    }

    std::wstring ProfilePath() const { return folder_.File("2025_01_07_09_05_03_042.Json"); }
    Json::Value ProfileOnDisk() const { return ReadJsonDocument(ProfilePath()); }

    TempFolder folder_;
    Json::Value factorySettings_;
    CKeyboardProfiledata profile_;
};

TEST_F(ProfileDataTest, LoadFillsAMissingOrEmptyProfileFromTheFactoryKeepingOtherMembers)
{
    struct Case {
        const char* name;
        const char* document;  // nullptr: no file
        bool keepsNameAndId;
    };
    const Case cases[] = {
        {"missing file", nullptr, false},
        {"empty file", "", false},
        {"invalid JSON", "{ \"profilename\": ", false},
        {"no Device member", R"({"profilename": "Mine", "profileUUID": "2025_01_07_09_05_03_042"})", true},
        {"empty Device", R"({"profilename": "Mine", "profileUUID": "2025_01_07_09_05_03_042", "Device": []})", true},
        {"null element 0", R"({"profilename": "Mine", "profileUUID": "2025_01_07_09_05_03_042", "Device": [null]})", true},
        {"element 0 not an object", R"({"profilename": "Mine", "profileUUID": "2025_01_07_09_05_03_042", "Device": ["x"]})", true},
        {"Device not an array", R"({"profilename": "Mine", "profileUUID": "2025_01_07_09_05_03_042", "Device": {"a": 1}})", true},
        {"document not an object", "[1, 2, 3]", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(folder_.Path() / "2025_01_07_09_05_03_042.Json");
        if (c.document)
            WriteBytes(folder_.Path() / "2025_01_07_09_05_03_042.Json", c.document);

        EXPECT_EQ(profile_.LoadDeviceSettings(ProfilePath()), factorySettings_);
        EXPECT_EQ(profile_.DeviceSettings(), factorySettings_);

        const Json::Value disk = ProfileOnDisk();
        ASSERT_TRUE(disk.isObject());
        ASSERT_TRUE(disk["Device"].isArray());
        EXPECT_EQ(disk["Device"].size(), 1u);
        EXPECT_EQ(disk["Device"][0], factorySettings_);
        EXPECT_EQ(disk.isMember("profilename"), c.keepsNameAndId);
        EXPECT_EQ(disk.isMember("profileUUID"), c.keepsNameAndId);
        if (c.keepsNameAndId) {
            EXPECT_EQ(disk["profilename"].asString(), "Mine");
        }
    }
}

TEST_F(ProfileDataTest, LoadKeepsAProfileThatHasSettings)
{
    Json::Value own;
    own["LightInfo"]["Light"] = 1;
    // Written in jsoncpp's own spacing, so that a rewrite would show.
    const std::string handWritten = "{ \"Device\" : [ { \"LightInfo\" : { \"Light\" : 1 } } ], \"profilename\" : \"Mine\" }";
    WriteBytes(folder_.Path() / "2025_01_07_09_05_03_042.Json", handWritten);

    EXPECT_EQ(profile_.LoadDeviceSettings(ProfilePath()), own);
    EXPECT_EQ(ReadBytes(folder_.Path() / "2025_01_07_09_05_03_042.Json"), handWritten);
}

TEST_F(ProfileDataTest, LoadGivesNullWhenTheFactoryHasNoSettingsEither)
{
    profile_.SetDefaultProfilePath(folder_.File("no-factory.Json"));
    EXPECT_TRUE(profile_.LoadDeviceSettings(ProfilePath()).isNull());
    EXPECT_TRUE(ProfileOnDisk()["Device"][0].isNull());
}

TEST_F(ProfileDataTest, SavePreservesEveryOtherMember)
{
    Json::Value document;
    document["profilename"] = platform::WideToUtf8(L"Profil \u00E9t\u00E9");
    document["profileUUID"] = "2025_01_07_09_05_03_042";
    document["Device"].append(Json::Value(Json::objectValue));
    document["Device"].append("second element is kept");
    ASSERT_TRUE(WriteJsonDocument(ProfilePath(), document));

    profile_.LoadDeviceSettings(ProfilePath());
    KeyboardSystemStages stages;
    stages.Repeat = 9;
    profile_.SetSystemStages(stages);
    ASSERT_TRUE(profile_.SaveDeviceSettings());

    const Json::Value disk = ProfileOnDisk();
    EXPECT_EQ(disk["profilename"], document["profilename"]);
    EXPECT_EQ(disk["profileUUID"], document["profileUUID"]);
    EXPECT_EQ(disk["Device"][1], document["Device"][1]);
    EXPECT_EQ(disk["Device"][0]["SystemStages"]["Repeat"].asInt(), 9);
}

TEST_F(ProfileDataTest, SecondarySettingsEditAnotherProfileWithoutTouchingTheLoadedOne)
{
    profile_.LoadDeviceSettings(ProfilePath());
    const Json::Value loaded = profile_.DeviceSettings();

    const std::wstring other = folder_.File("other.Json");
    Json::Value otherDocument;
    otherDocument["profilename"] = "Other";
    otherDocument["Device"].append(Json::Value(Json::objectValue));
    otherDocument["Device"][0]["LightInfo"]["Light"] = 0;
    ASSERT_TRUE(WriteJsonDocument(other, otherDocument));

    EXPECT_EQ(profile_.LoadSecondarySettings(other), otherDocument["Device"][0]);
    profile_.SecondarySettings()["LightInfo"]["Light"] = 2;
    ASSERT_TRUE(profile_.SaveSecondarySettings(other));

    EXPECT_EQ(profile_.DeviceSettings(), loaded);
    const Json::Value disk = ReadJsonDocument(other);
    EXPECT_EQ(disk["profilename"].asString(), "Other");
    EXPECT_EQ(disk["Device"][0]["LightInfo"]["Light"].asInt(), 2);
}

TEST_F(ProfileDataTest, EmptyPathsAreIgnoredButTheLightConfigPathIsAlwaysReplaced)
{
    profile_.SetProfilePath(L"");
    EXPECT_EQ(profile_.GetProfilePath(), ProfilePath());
    profile_.SetDefaultProfilePath(L"");
    EXPECT_EQ(profile_.GetDefaultProfilePath(), folder_.File("factory.Json"));
    profile_.SetLightConfigPath(folder_.File("light.config"));
    profile_.SetLightConfigPath(L"");
    EXPECT_EQ(profile_.GetLightConfigPath(), L"");
}

TEST_F(ProfileDataTest, LightConfigIsReadWhole)
{
    Json::Value config;
    config["LightInfo"].append("sequence");
    ASSERT_TRUE(WriteJsonDocument(folder_.File("light.config"), config));
    EXPECT_EQ(profile_.LoadLightConfig(folder_.File("light.config")), config);
    EXPECT_EQ(profile_.LightConfig(), config);
    EXPECT_TRUE(profile_.LoadLightConfig(folder_.File("missing.config")).isNull());
}

TEST_F(ProfileDataTest, DeviceIndexOutOfRangeNeverGrowsTheDocument)
{
    profile_.SetDeviceIndex(1'000'000);
    EXPECT_TRUE(profile_.LoadDeviceSettings(ProfilePath()).isNull());
    EXPECT_FALSE(profile_.SaveDeviceSettings());
    profile_.SetDeviceIndex(-1);
    EXPECT_FALSE(profile_.SaveDeviceSettings());
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "2025_01_07_09_05_03_042.Json"));
}

TEST(KeyboardProfiledata, RecordsOfAProfileWithoutThemAreTheDefaultsNotThePreviousProfile)
{
    CKeyboardProfiledata profile;
    profile.DeviceSettings() = ParseJsonText(R"({"LightInfo": {"Light": 1, "Red": 9},
        "AudioLightInfo": {"AudioMode": 5}, "LightList": [{"Time": 5}]})");
    EXPECT_EQ(profile.GetLightingRecord().Light, 1);
    EXPECT_EQ(profile.GetAudioLightRecord().AudioMode, 5);
    EXPECT_EQ(profile.GetLightList().size(), 1u);

    profile.DeviceSettings() = ParseJsonText(R"({"LightInfo": {"Red": 3}})");
    LightingRecord expected;
    expected.Red = 3;
    EXPECT_EQ(profile.GetLightingRecord(), expected);
    EXPECT_EQ(profile.GetAudioLightRecord(), AudioLightInfo{});
    EXPECT_TRUE(profile.GetLightList().empty());
}

TEST(KeyboardProfiledata, SystemStagesDefaultToZeroAndAreCutTo16Bits)
{
    struct Case {
        const char* name;
        const char* settings;
        KeyboardSystemStages expected;
    };
    const Case cases[] = {
        {"no settings", "null", {}},
        {"no group", "{}", {}},
        {"group null", R"({"SystemStages": null})", {}},
        {"group of the wrong shape", R"({"SystemStages": [1, 2, 3]})", {}},
        {"all members",
         R"({"SystemStages": {"Repeat": 1, "RepeatDelay": 2, "Key6Flag": 3, "PollingRate": 4, "WFlag": 5, "WinFlag": 6}})",
         {1, 2, 3, 4, 5, 6}},
        {"truncated to 16 bits", R"({"SystemStages": {"Repeat": 65541, "RepeatDelay": -1, "PollingRate": 65536}})",
         {5, 0xFFFF, 0, 0, 0, 0}},
        {"wrong member types read as missing",
         R"({"SystemStages": {"Repeat": "7", "RepeatDelay": 2.5, "Key6Flag": [1], "WFlag": 1e20, "WinFlag": 3.0}})",
         {0, 0, 0, 0, 0, 3}},
    };
    for (const Case& c : cases) {
        CKeyboardProfiledata profile;
        profile.DeviceSettings() = ParseJsonText(c.settings);
        EXPECT_EQ(profile.GetSystemStages(), c.expected) << c.name;
    }
}

TEST(KeyboardProfiledata, SetSystemStagesKeepsOtherMembersOfTheGroup)
{
    CKeyboardProfiledata profile;
    profile.DeviceSettings() = ParseJsonText(R"({"SystemStages": {"Repeat": 1, "Extra": "kept"}})");
    profile.SetSystemStages({10, 20, 1, 3, 0, 1});
    const Json::Value& group = profile.DeviceSettings()["SystemStages"];
    EXPECT_EQ(group["Extra"].asString(), "kept");
    EXPECT_EQ(group["RepeatDelay"].asInt(), 20);
    EXPECT_EQ(profile.GetSystemStages(), (KeyboardSystemStages{10, 20, 1, 3, 0, 1}));
    // A settings value of the wrong shape is replaced, not dereferenced.
    profile.DeviceSettings() = Json::Value("not an object");
    profile.SetSystemStages({1, 2, 3, 4, 5, 6});
    EXPECT_EQ(profile.GetSystemStages(), (KeyboardSystemStages{1, 2, 3, 4, 5, 6}));
}

TEST(KeyboardProfiledata, KeyListReadsEntryIFromElementIAndWritesOnlyTheAssignment)
{
    CKeyboardProfiledata profile;
    EXPECT_TRUE(profile.GetKeyList().empty());

    // Element 0 remaps Esc to LShift + A; element 1 has a default that differs from the key
    // table (kept as the document says); element 2 is damaged; the list is short.
    profile.DeviceSettings() = ParseJsonText(R"({"KeyList": [
        {"Assignment": 2097668, "DefaultAssignment": 2097193},
        {"Assignment": 3198208, "DefaultAssignment": 3198208},
        {"Assignment": "x", "DefaultAssignment": -5}
    ]})");
    const std::vector<KeyEntry> entries = profile.GetKeyList();
    ASSERT_EQ(entries.size(), logicalkey::kCount);
    EXPECT_EQ(entries[0], MakeKeyEntry(0, Assignment{0x20, 0x02, 0x04}, Assignment{0x20, 0x00, 0x29}));
    EXPECT_EQ(entries[1], MakeKeyEntry(1, Assignment{0x30, 0xCD, 0x00}, Assignment{0x30, 0xCD, 0x00}));
    EXPECT_EQ(entries[2], MakeKeyEntry(2, DefaultAssignmentOf(2), DefaultAssignmentOf(2)));
    EXPECT_EQ(entries[169], MakeKeyEntry(169, logicalkey::kNoKey, logicalkey::kNoKey));

    std::vector<KeyEntry> edited = entries;
    edited[1].current = Assignment{0x12, 0x00, 0xFD};
    profile.SetKeyList(edited);
    const Json::Value& list = profile.DeviceSettings()["KeyList"];
    ASSERT_EQ(list.size(), logicalkey::kCount);
    EXPECT_EQ(list[1]["Assignment"].asInt(), 0x1200FD);
    EXPECT_EQ(list[1]["DefaultAssignment"].asInt(), 0x30CD00);
    // A damaged default is completed from the entry; a good one is never rewritten.
    EXPECT_EQ(list[2]["DefaultAssignment"].asInt(), AssignmentToJsonInt(DefaultAssignmentOf(2)));
    EXPECT_EQ(list[0]["DefaultAssignment"].asInt(), 0x200029);
    EXPECT_EQ(profile.GetKeyList(), edited);
}

}  // namespace
}  // namespace dw
