// `cmake --install` into a temporary folder, then the installed programs run from there as a
// user would start them: every file lands where the desktop, udev and the program itself look
// for it, and the installed `dunwake` finds its resources under ../share/dunwake.
//
// Everything is one test on purpose: the install is done once, and CTest runs each test in a
// process of its own, possibly in parallel, while `cmake --install` always rewrites the build
// folder's install_manifest.txt. The test puts back the manifest it found, so that a real
// install's uninstall list is not lost.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ChildProcess.h"

namespace fs = std::filesystem;

namespace {

using dw::test::ChildOptions;
using dw::test::ChildRun;
using dw::test::RunChild;

constexpr const char* kPrefix = "/opt/dunwake-install-test";
const std::vector<std::string> kPrivateFonts = {"Simplified_Chinese.ttf", "Predator-Regular.otf",
                                                "NotoSansThai-Regular.ttf", "NotoSansCJKtc-Regular.otf"};

std::optional<std::string> ReadFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> SplitList(const std::string& list)
{
    std::vector<std::string> items;
    std::stringstream in(list);
    std::string item;
    while (std::getline(in, item, ',')) {
        if (!item.empty())
            items.push_back(item);
    }
    return items;
}

bool IsExecutableFile(const fs::path& file)
{
    return fs::is_regular_file(file) && ::access(file.c_str(), X_OK) == 0;
}

// A temporary folder removed with everything in it when the test ends.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "dunwake-install-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr)
            m_path = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        if (!m_path.empty())
            fs::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

// Keeps the build folder's install_manifest.txt as it was before the test installed anything.
class ManifestGuard {
public:
    explicit ManifestGuard(fs::path manifest) : m_manifest(std::move(manifest)), m_saved(ReadFile(m_manifest)) {}
    ~ManifestGuard()
    {
        std::error_code ignored;
        if (m_saved) {
            std::ofstream(m_manifest, std::ios::binary | std::ios::trunc) << *m_saved;
        } else {
            fs::remove(m_manifest, ignored);
        }
    }
    ManifestGuard(const ManifestGuard&) = delete;
    ManifestGuard& operator=(const ManifestGuard&) = delete;

private:
    fs::path m_manifest;
    std::optional<std::string> m_saved;
};

void ExpectTheLayout(const fs::path& destdir, const fs::path& root)
{
    struct Expected {
        std::string path;
        bool executable;
    };
    std::vector<Expected> expected = {
        {DW_INSTALL_BINDIR "/dunwake-ctl", true},
        {"share/applications/dunwake.desktop", false},
        {"share/icons/hicolor/48x48/apps/dunwake.png", false},
        {"share/icons/hicolor/128x128/apps/dunwake.png", false},
        {"share/icons/hicolor/256x256/apps/dunwake.png", false},
        {"share/icons/hicolor/scalable/apps/dunwake.svg", false},
        {DW_INSTALL_RESOURCEDIR "/skin/res.xml", false},
        {DW_INSTALL_RESOURCEDIR "/DefaultData/default_light.json", false},
    };
    if (DW_HAVE_APP)
        expected.push_back({DW_INSTALL_BINDIR "/dunwake", true});
    for (const Expected& file : expected) {
        SCOPED_TRACE(file.path);
        EXPECT_TRUE(fs::is_regular_file(root / file.path));
        if (file.executable) {
            EXPECT_TRUE(IsExecutableFile(root / file.path));
        }
    }

    // An absolute rules folder lands below DESTDIR like everything else.
    const fs::path rulesFolder(DW_UDEV_RULES_DIR);
    const fs::path rule =
        (rulesFolder.is_absolute() ? destdir / rulesFolder.relative_path() : root / rulesFolder) / "70-dunwake.rules";
    EXPECT_EQ(ReadFile(rule), ReadFile(fs::path(DW_SOURCE_DIR) / "packaging/70-dunwake.rules")) << rule;

    // Nothing beside the installed executables may look like the build tree's resource folder,
    // or the installed program would not be tested against its installed resources.
    EXPECT_FALSE(fs::exists(root / DW_INSTALL_BINDIR / "resources"));
}

// Every file of resources/ is installed unchanged, and nothing else is in the resource folder
// but the private fonts.
void ExpectTheResources(const fs::path& root)
{
    const fs::path source = fs::path(DW_SOURCE_DIR) / "resources";
    const fs::path installed = root / DW_INSTALL_RESOURCEDIR;
    const std::vector<std::string> excluded = SplitList(DW_RESOURCES_NOT_INSTALLED);
    auto isExcluded = [&](const fs::path& relative) {
        const std::string text = relative.generic_string();
        for (const std::string& folder : excluded) {
            if (text == folder || text.rfind(folder + "/", 0) == 0)
                return true;
        }
        return false;
    };

    ASSERT_TRUE(fs::is_directory(installed)) << installed;

    std::set<std::string> shipped;
    for (const auto& entry : fs::recursive_directory_iterator(source)) {
        const fs::path relative = fs::relative(entry.path(), source);
        if (!entry.is_regular_file() || isExcluded(relative))
            continue;
        shipped.insert(relative.generic_string());
        SCOPED_TRACE(relative.generic_string());
        EXPECT_EQ(ReadFile(installed / relative), ReadFile(entry.path()));
    }
    EXPECT_FALSE(shipped.empty());

    for (const auto& entry : fs::recursive_directory_iterator(installed)) {
        if (!entry.is_regular_file() && !entry.is_symlink())
            continue;
        const std::string relative = fs::relative(entry.path(), installed).generic_string();
        const bool font = relative.rfind("Font/", 0) == 0 &&
                          std::count(kPrivateFonts.begin(), kPrivateFonts.end(), relative.substr(5)) == 1;
        EXPECT_TRUE(shipped.count(relative) == 1 || font) << "unexpected file " << relative;
    }
}

// The fonts the configure step found on this machine are installed as real files (not links to
// the system's, which the font package may take away) under their private names.
void ExpectThePrivateFonts(const fs::path& root)
{
    const fs::path staging = fs::path(DW_BUILD_DIR) / "fonts";
    int found = 0;
    for (const std::string& name : kPrivateFonts) {
        const fs::path link = staging / name;
        if (!fs::exists(link))
            continue;
        ++found;
        SCOPED_TRACE(name);
        const fs::path installed = root / DW_INSTALL_RESOURCEDIR / "Font" / name;
        EXPECT_FALSE(fs::is_symlink(installed));
        ASSERT_TRUE(fs::is_regular_file(installed));
        EXPECT_EQ(fs::file_size(installed), fs::file_size(link));
    }
    // Not a failure: a machine without the font packages installs no fonts and the program uses
    // the system's. Said here so that the log shows what was checked.
    std::cout << "[          ] private fonts found and checked: " << found << " of " << kPrivateFonts.size() << "\n";
}

void ExpectTheInstalledCtlToListEmulatedDevices(const fs::path& root)
{
    const ChildRun run = RunChild({(root / DW_INSTALL_BINDIR / "dunwake-ctl").string(), "--emulate", "all", "list"});
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("slot=0 kind=1 role=0 vid=0x4e71 pid=0x0b17"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("slot=10 kind=7 role=0 vid=0x0c76 pid=0x1a47"), std::string::npos) << run.output;
}

// The installed program, started with no hint of where its resources are, draws its main window
// into a PNG: it can do that only after finding the skin under ../share/dunwake.
void ExpectTheInstalledProgramToStart(const fs::path& root, const fs::path& scratch)
{
    const fs::path home = scratch / "home";
    const fs::path runtime = scratch / "run";
    const fs::path screenshot = scratch / "installed-main-window.png";
    fs::create_directories(home);
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);

    // A home, configuration and run-time folder of its own: the program neither touches the
    // user's profiles nor meets a running copy's single-instance lock or session bus.
    ChildOptions options;
    options.environment = {
        {"HOME", home.string()},
        {"XDG_CONFIG_HOME", (home / ".config").string()},
        {"XDG_DATA_HOME", (home / ".local/share").string()},
        {"XDG_RUNTIME_DIR", runtime.string()},
        {"QT_QPA_PLATFORM", "offscreen"},
        {"DUNWAKE_RESOURCES", std::nullopt},
        {"DBUS_SESSION_BUS_ADDRESS", std::nullopt},
        {"DISPLAY", std::nullopt},
        {"WAYLAND_DISPLAY", std::nullopt},
    };
    options.workingDirectory = scratch.string();  // never the build tree
    const ChildRun run = RunChild({(root / DW_INSTALL_BINDIR / "dunwake").string(), "--headless", "--emulate", "all",
                                   "--screenshot", screenshot.string()},
                                  options);
    ASSERT_TRUE(run.started);
    ASSERT_FALSE(run.timedOut) << run.output;
    EXPECT_EQ(run.exitCode, 0) << run.output;
    const std::optional<std::string> png = ReadFile(screenshot);
    ASSERT_TRUE(png.has_value()) << "no screenshot written; the program said:\n" << run.output;
    EXPECT_EQ(png->compare(0, 8, std::string("\x89PNG\r\n\x1a\n", 8)), 0);

    // Kept beside the test for a look at what the installed program showed.
    std::error_code ignored;
    fs::copy_file(screenshot, fs::path(DW_TEST_OUTPUT_DIR) / "installed-main-window.png", fs::copy_options::overwrite_existing,
                  ignored);
}

TEST(Install, IntoATemporaryPrefixAndRunFromThere)
{
    const TempFolder scratch;
    ASSERT_FALSE(scratch.Path().empty());
    const fs::path destdir = scratch.Path() / "destdir";
    const fs::path root = destdir / fs::path(kPrefix).relative_path();

    {
        const ManifestGuard manifest(fs::path(DW_BUILD_DIR) / "install_manifest.txt");
        ChildOptions options;
        options.environment = {{"DESTDIR", destdir.string()}};
        const ChildRun install = RunChild({DW_CMAKE_COMMAND, "--install", DW_BUILD_DIR, "--prefix", kPrefix}, options);
        ASSERT_TRUE(install.started);
        ASSERT_EQ(install.exitCode, 0) << install.output;
    }

    {
        SCOPED_TRACE("layout");
        ExpectTheLayout(destdir, root);
    }
    {
        SCOPED_TRACE("resources");
        ExpectTheResources(root);
    }
    {
        SCOPED_TRACE("private fonts");
        ExpectThePrivateFonts(root);
    }
    {
        SCOPED_TRACE("installed dunwake-ctl");
        ExpectTheInstalledCtlToListEmulatedDevices(root);
    }
    if (DW_HAVE_APP) {
        SCOPED_TRACE("installed dunwake");
        ExpectTheInstalledProgramToStart(root, scratch.Path());
    }
}

}  // namespace
