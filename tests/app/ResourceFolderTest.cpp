// Finding the resource folder (override, beside the executable, installed) and turning the
// program's '\' resource names into paths below it.

#include <gtest/gtest.h>

#include <set>

#include "app/ResourceFolder.h"

namespace dw::app {
namespace {

struct LookupCase {
    const char* what;
    const char* overrideFolder;
    std::string executableFolder;
    std::set<std::string> existing;
    std::string expectedFolder;
    ResourceFolderSource expectedSource;
};

TEST(ResourceFolderTest, LooksInOrder)
{
    const std::vector<LookupCase> cases = {
        {"build tree", nullptr, "/b/src/app", {"/b/src/app/resources", "/b/share/dunwake"}, "/b/src/app/resources",
         ResourceFolderSource::BesideExecutable},
        {"installed", nullptr, "/usr/local/bin", {"/usr/local/bin/../share/dunwake"},
         "/usr/local/bin/../share/dunwake", ResourceFolderSource::Installed},
        {"override wins", "/dev/res/", "/usr/bin", {"/usr/bin/../share/dunwake"}, "/dev/res",
         ResourceFolderSource::Override},
        {"override taken even when missing", "/missing", "/usr/bin", {"/usr/bin/../share/dunwake"}, "/missing",
         ResourceFolderSource::Override},
        {"empty override ignored", "", "/usr/bin", {"/usr/bin/../share/dunwake"}, "/usr/bin/../share/dunwake",
         ResourceFolderSource::Installed},
        {"executable at the root", nullptr, "/", {"/resources"}, "/resources", ResourceFolderSource::BesideExecutable},
        {"nothing found", nullptr, "/opt/x", {}, "", ResourceFolderSource::NotFound},
        {"no executable folder", nullptr, "", {"/resources"}, "", ResourceFolderSource::NotFound},
    };
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(c.what);
        const ResourceFolderLookup lookup = ResolveResourceFolder(
            c.overrideFolder, c.executableFolder, [&](const std::string& path) { return c.existing.count(path) > 0; });
        EXPECT_EQ(lookup.folder, c.expectedFolder);
        EXPECT_EQ(lookup.source, c.expectedSource);
    }
}

TEST(ResourceFolderTest, ReportsEveryPlaceItLookedAt)
{
    const ResourceFolderLookup lookup =
        ResolveResourceFolder(nullptr, "/opt/x/bin", [](const std::string&) { return false; });
    EXPECT_EQ(lookup.tried, (std::vector<std::string>{"/opt/x/bin/resources", "/opt/x/bin/../share/dunwake"}));
}

TEST(ResourceFolderTest, NormalisesResourceNames)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Font\\Predator-Regular.otf", "Font/Predator-Regular.otf"},
        {"skin\\", "skin/"},
        {"XML\\CustomControlXML\\DeviceProfile.xml", "XML/CustomControlXML/DeviceProfile.xml"},
        {"\\\\skin\\\\res.xml", "skin/res.xml"},
        {"DefaultData//keyboard.Json", "DefaultData/keyboard.Json"},
        {"a/./b", "a/./b"},
        {"..\\..\\etc\\passwd", ""},
        {"skin/../../x", ""},
        {"skin\\..", ""},
        {"..", ""},
        {"..name\\file..", "..name/file.."},
        {"", ""},
    };
    for (const auto& [name, expected] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(NormaliseResourceName(name), expected);
    }
}

TEST(ResourceFolderTest, JoinsBelowTheFolderOnly)
{
    EXPECT_EQ(ResourcePath("/r", "Font\\NotoSansThai-Regular.ttf"), "/r/Font/NotoSansThai-Regular.ttf");
    EXPECT_EQ(ResourcePath("/r/", "skin\\"), "/r/skin/");
    EXPECT_EQ(ResourcePath("/r", "..\\secret"), "");
    EXPECT_EQ(ResourcePath("", "skin\\"), "");
}

}  // namespace
}  // namespace dw::app
