// "Language.config": which entries it yields, and which index a stored language id selects.

#include <gtest/gtest.h>

#include <json/reader.h>

#include <filesystem>
#include <fstream>

#include "shell/frame/LanguageList.h"

namespace dw {
namespace {

Json::Value Parse(const std::string& text)
{
    Json::Value value;
    Json::Reader().parse(text, value);
    return value;
}

TEST(LanguageList, ParsesEntriesInOrderAndKeepsPositionsOfBrokenOnes)
{
    const auto list = ParseLanguageList(Parse(R"({"Language": [
        {"Language_name": "English", "Language_file": "lan_en.xml", "Language_ID": 1033, "Language_text": "language_english_text"},
        "not an object",
        {"Language_name": 5, "Language_file": "lan_cn.xml", "Language_ID": "2052"}
    ]})"));
    ASSERT_TRUE(list.has_value());
    ASSERT_EQ(list->size(), 3u);
    EXPECT_EQ((*list)[0], (LanguageEntry{L"English", L"lan_en.xml", 1033, L"language_english_text"}));
    EXPECT_EQ((*list)[1], LanguageEntry{});
    // Members of the wrong type read as empty: the id is not taken from a string.
    EXPECT_EQ((*list)[2], (LanguageEntry{L"", L"lan_cn.xml", 0, L""}));
}

TEST(LanguageList, DocumentsWithoutAListGiveNothing)
{
    for (const char* text : {"", "[]", "{}", R"({"Language": {}})", R"({"Language": 3})", "not json"})
        EXPECT_FALSE(ParseLanguageList(Parse(text)).has_value()) << text;
}

TEST(LanguageList, IndexForAStoredId)
{
    const std::vector<LanguageEntry> list = {{L"a", L"a.xml", 1033, L""}, {L"b", L"b.xml", 2052, L""},
                                             {L"c", L"c.xml", 2052, L""}};
    struct Case {
        std::optional<std::vector<LanguageEntry>> list;
        std::optional<uint32_t> stored;
        int index;
    };
    const Case cases[] = {
        {list, 1033u, 0},
        {list, 2052u, 2},  // the last entry carrying the id
        {list, 1041u, 0},  // no entry with the id
        {list, std::nullopt, 0},
        {std::nullopt, 2052u, 0},
        {std::vector<LanguageEntry>{}, 2052u, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LanguageIndexForId(c.list, c.stored), c.index) << (c.stored ? *c.stored : 0);
}

TEST(LanguageList, TheShippedListNamesBothLanguagesWithDistinctIds)
{
    const auto list = LoadLanguageList(std::filesystem::path(DW_RESOURCES_DIR "/DefaultData/Language.config").wstring());
    ASSERT_TRUE(list.has_value());
    ASSERT_EQ(list->size(), 2u);
    EXPECT_EQ((*list)[0].file, L"lan_en.xml");
    EXPECT_EQ((*list)[1].file, L"lan_cn.xml");
    EXPECT_NE((*list)[0].id, (*list)[1].id);
    for (const LanguageEntry& entry : *list) {
        EXPECT_FALSE(entry.name.empty());
        EXPECT_FALSE(entry.textKey.empty());
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::path(DW_RESOURCES_DIR "/skin") / entry.file));
    }
}

TEST(LanguageList, MissingOrOversizedFilesGiveNothing)
{
    const auto folder = std::filesystem::temp_directory_path() / "dw-language-list-test";
    std::filesystem::create_directories(folder);
    EXPECT_FALSE(LoadLanguageList((folder / "missing.config").wstring()).has_value());
    const auto big = folder / "big.config";
    {
        std::ofstream out(big);
        out << "{\"Language\": [" << std::string(400 * 1024, ' ') << "]}";
    }
    EXPECT_FALSE(LoadLanguageList(big.wstring()).has_value());
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace dw
