// The per-user folders after the XDG rules.

#include <gtest/gtest.h>

#include "platform/folders/UserFolders.h"

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

}  // namespace
}  // namespace dw::platform
