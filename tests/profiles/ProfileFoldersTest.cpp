#include "profiles/ProfileFolders.h"

#include "platform/Utf8.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace dw {
namespace {

using test::TempFolder;

TEST(ProfileFolders, DataHomeFollowsTheXdgRules)
{
    struct Case {
        const char* xdg;
        const char* home;
        std::wstring expected;
    };
    const Case cases[] = {
        {"/data", "/home/u", L"/data"},
        {nullptr, "/home/u", L"/home/u/.local/share"},
        {"", "/home/u", L"/home/u/.local/share"},
        {"relative/data", "/home/u/", L"/home/u/.local/share"},
        {nullptr, "/", L"/.local/share"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CProfileFolders::DataHomeFrom(c.xdg, c.home), c.expected) << (c.xdg ? c.xdg : "(unset)");
}

TEST(ProfileFolders, DeviceFoldersAreCreatedOnDemand)
{
    TempFolder temp;
    const std::wstring dataHome = temp.File("share");  // missing: created with the root
    const CProfileFolders folders(dataHome, L"/opt/dunwake/");

    const std::wstring keyboard = folders.DeviceFolder(L"keyboard");
    EXPECT_EQ(keyboard, dataHome + L"/VEXLO Dunwake 75 tri-mode/keyboard/");
    const auto path = std::filesystem::path(platform::WideToUtf8(keyboard));
    EXPECT_TRUE(std::filesystem::is_directory(path));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    // Asking again finds the folder.
    EXPECT_EQ(folders.DeviceFolder(L"keyboard"), keyboard);

    EXPECT_EQ(folders.FactoryDataFolder(), L"/opt/dunwake/DefaultData/");
    EXPECT_EQ(folders.FactoryProfilePath(L"MousePad"), L"/opt/dunwake/DefaultData/MousePad.Json");
}

TEST(ProfileFolders, NamesFromDocumentsCannotLeaveTheFolder)
{
    TempFolder temp;
    const CProfileFolders folders(temp.Folder(), temp.Folder());
    EXPECT_EQ(folders.DeviceFolder(L"../escape"), L"");
    EXPECT_EQ(folders.FactoryProfilePath(L"a/b"), L"");
    EXPECT_EQ(CProfileFolders::ProfilePath(L"/data/keyboard/", L"2025_01_07_09_05_03_042"),
              L"/data/keyboard/2025_01_07_09_05_03_042.Json");
    EXPECT_EQ(CProfileFolders::ProfilePath(L"/data/keyboard", L"x"), L"/data/keyboard/x.Json");
    for (const wchar_t* id : {L"", L"..", L"../../x", L"a/b", L"a\nb"})
        EXPECT_EQ(CProfileFolders::ProfilePath(L"/data/keyboard/", id), L"") << platform::WideToUtf8(id);
    EXPECT_EQ(CProfileFolders::ProfilePath(L"", L"x"), L"");
}

TEST(ProfileFolders, AFileInTheWayIsNotAFolder)
{
    TempFolder temp;
    test::WriteBytes(temp.Path() / "file", "x");
    EXPECT_FALSE(EnsureFolder(temp.File("file")));
    EXPECT_FALSE(EnsureFolder(temp.File("file/below")));
    EXPECT_TRUE(EnsureFolder(temp.File("a/b/c/")));
}

}  // namespace
}  // namespace dw
