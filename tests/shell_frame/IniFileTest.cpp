// The INI writer behind "main.ini": a value is set without disturbing the rest of the file, and
// the file on disk is replaced whole.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "shell/frame/IniFile.h"

namespace dw {
namespace {

struct SetCase {
    const char* name;
    const char* before;
    const char* after;
};

// Every case sets FLAGS=1 in [SKINIMAGE].
const SetCase kSetCases[] = {
    {"empty file gets the section", "", "[SKINIMAGE]\nFLAGS=1\n"},
    {"existing key is replaced", "[SKINIMAGE]\nFLAGS=0\nIMAGE=a.png\n", "[SKINIMAGE]\nFLAGS=1\nIMAGE=a.png\n"},
    {"names ignore case", "[skinimage]\nflags=0\n", "[skinimage]\nFLAGS=1\n"},
    {"key added at the end of its section, not the file",
     "[SKINIMAGE]\nIMAGE=a.png\n\n[OTHER]\nX=1\n", "[SKINIMAGE]\nIMAGE=a.png\nFLAGS=1\n\n[OTHER]\nX=1\n"},
    {"same key in another section is left alone", "[OTHER]\nFLAGS=7\n", "[OTHER]\nFLAGS=7\n[SKINIMAGE]\nFLAGS=1\n"},
    {"CR LF lines are read", "[SKINIMAGE]\r\nFLAGS=0\r\n", "[SKINIMAGE]\nFLAGS=1\n"},
    {"comments and stray lines are kept", "; note\n[SKINIMAGE]\njunk\nFLAGS = 0\n", "; note\n[SKINIMAGE]\njunk\nFLAGS=1\n"},
};

TEST(IniFile, SetValueKeepsTheRestOfTheFile)
{
    for (const SetCase& c : kSetCases) {
        EXPECT_EQ(SetIniValue(c.before, "SKINIMAGE", "FLAGS", "1"), c.after) << c.name;
        EXPECT_EQ(GetIniValue(SetIniValue(c.before, "SKINIMAGE", "FLAGS", "1"), "SKINIMAGE", "FLAGS"), "1") << c.name;
    }
}

class IniFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() /
                 ("dw-ini-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string Read(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::filesystem::path folder;
};

TEST_F(IniFileOnDisk, WritesIntoAMissingFolderAndUpdatesInPlace)
{
    const std::string path = (folder / "sub" / "main.ini").string();
    ASSERT_TRUE(WriteIniValue(path, "SKINIMAGE", "FLAGS", "1"));
    ASSERT_TRUE(WriteIniValue(path, "SKINIMAGE", "IMAGE", "skin/bg_ember.png"));
    ASSERT_TRUE(WriteIniValue(path, "SKINIMAGE", "FLAGS", "0"));
    EXPECT_EQ(Read(path), "[SKINIMAGE]\nFLAGS=0\nIMAGE=skin/bg_ember.png\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST_F(IniFileOnDisk, AFolderInThePlaceOfTheFileIsLeftAlone)
{
    const std::filesystem::path path = folder / "main.ini";
    std::filesystem::create_directories(path);
    EXPECT_FALSE(WriteIniValue(path.string(), "SKINIMAGE", "FLAGS", "1"));
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

}  // namespace
}  // namespace dw
