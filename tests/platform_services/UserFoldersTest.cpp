// The per-user folders after the XDG rules, and the UTF-8 conversion every file name and
// document goes through.

#include <gtest/gtest.h>

#include "platform/folders/UserFolders.h"
#include "platform/folders/WideUtf8.h"

namespace dw::platform {
namespace {

TEST(UserFolders, BaseFoldersFollowTheXdgRules)
{
    struct Case {
        const char* what;
        const char* xdgValue;
        const char* home;
        std::string dataHome;
        std::string configHome;
    };
    const Case cases[] = {
        {"defaults below home", nullptr, "/home/ann", "/home/ann/.local/share", "/home/ann/.config"},
        {"absolute value wins", "/srv/x/", "/home/ann", "/srv/x", "/srv/x"},
        {"relative value ignored", "rel/dir", "/home/ann", "/home/ann/.local/share", "/home/ann/.config"},
        {"empty value ignored", "", "/home/ann/", "/home/ann/.local/share", "/home/ann/.config"},
        {"home at the root", nullptr, "/", "/.local/share", "/.config"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(DataHomeFrom(c.xdgValue, c.home), c.dataHome);
        EXPECT_EQ(ConfigHomeFrom(c.xdgValue, c.home), c.configHome);
    }
    // Without $HOME the user database still names a home folder.
    EXPECT_FALSE(DataHomeFrom(nullptr, nullptr).empty());
}

TEST(UserFolders, RuntimeFolderHasNoDefault)
{
    EXPECT_EQ(RuntimeDirFrom("/run/user/1000/"), "/run/user/1000");
    EXPECT_EQ(RuntimeDirFrom("run/user"), "");
    EXPECT_EQ(RuntimeDirFrom(nullptr), "");
}

TEST(UserFolders, JoinNeverTurnsAMissingBaseIntoTheRoot)
{
    EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
    EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
    EXPECT_EQ(JoinPath("", "b"), "");
}

TEST(WideUtf8, ConvertsBothWaysAndReplacesWhatIsNotText)
{
    const std::wstring text = L"VEXLO \u8BED\u8A00 \U0001F3AE";
    EXPECT_EQ(Utf8ToWide(WideToUtf8(text)), text);

    struct Case {
        const char* what;
        std::string bytes;
        std::wstring expected;
    };
    const Case cases[] = {
        {"lone continuation byte", "a\x80z", L"a\uFFFDz"},
        {"truncated sequence", "a\xE8\xAF", L"a\uFFFD"},
        {"overlong slash", "\xC0\xAF", L"\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", L"\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", L"\uFFFD"},
        {"truncated then ASCII", "\xE8x", L"\uFFFDx"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Utf8ToWide(c.bytes), c.expected);
    }
    EXPECT_EQ(WideToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace dw::platform
