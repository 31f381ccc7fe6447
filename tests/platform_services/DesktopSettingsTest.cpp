// Opening the desktop's keyboard and mouse settings: the choice of command, the search of PATH
// and the detached start.

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "TempFolder.h"
#include "platform/desktop/CDesktopSettingsLauncher.h"
#include "platform/desktop/DesktopSettingsCommands.h"
#include "platform/desktop/DetachedProcess.h"

namespace dw::platform {
namespace {

using test::CTempFolder;

TEST(DesktopSettingsCommands, TheRunningDesktopsProgramIsChosen)
{
    struct Case {
        const char* desktop;
        DesktopSettingsPage page;
        std::set<std::string> installed;
        std::optional<SettingsCommand> expected;
    };
    const std::set<std::string> everything = {"gnome-control-center", "budgie-control-center", "systemsettings", "systemsettings5",
        "kcmshell5", "xfce4-keyboard-settings", "xfce4-mouse-settings", "cinnamon-settings", "mate-keyboard-properties",
        "mate-mouse-properties", "lxqt-config-input", "lxinput"};
    const auto kb = DesktopSettingsPage::Keyboard;
    const auto mouse = DesktopSettingsPage::Mouse;
    const Case cases[] = {
        {"GNOME", kb, everything, SettingsCommand{"/bin/gnome-control-center", {"keyboard"}}},
        {"ubuntu:GNOME", mouse, everything, SettingsCommand{"/bin/gnome-control-center", {"mouse"}}},
        {"KDE", kb, everything, SettingsCommand{"/bin/systemsettings", {"kcm_keyboard"}}},
        {"KDE", mouse, {"kcmshell5", "gnome-control-center"}, SettingsCommand{"/bin/kcmshell5", {"kcm_mouse"}}},
        {"XFCE", kb, everything, SettingsCommand{"/bin/xfce4-keyboard-settings", {}}},
        {"XFCE", mouse, everything, SettingsCommand{"/bin/xfce4-mouse-settings", {}}},
        {"X-Cinnamon", mouse, everything, SettingsCommand{"/bin/cinnamon-settings", {"mouse"}}},
        {"mate", kb, everything, SettingsCommand{"/bin/mate-keyboard-properties", {}}},
        {"Budgie:GNOME", kb, {"gnome-control-center"}, SettingsCommand{"/bin/gnome-control-center", {"keyboard"}}},
        {"LXQt", mouse, everything, SettingsCommand{"/bin/lxqt-config-input", {}}},
        // A desktop without its own program, or none named, still finds an installed one.
        {"sway", kb, {"xfce4-keyboard-settings"}, SettingsCommand{"/bin/xfce4-keyboard-settings", {}}},
        {"", mouse, {"lxinput"}, SettingsCommand{"/bin/lxinput", {}}},
        {"GNOME", kb, {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.desktop) + (c.page == kb ? " keyboard" : " mouse"));
        const auto found = ChooseSettingsCommand(c.desktop, c.page,
            [&](const std::string& program) { return c.installed.contains(program) ? "/bin/" + program : std::string(); });
        EXPECT_EQ(found, c.expected);
    }
}

TEST(DesktopSettingsCommands, CandidatesHaveNoDuplicates)
{
    for (const char* desktop : {"Budgie:GNOME", "LXQt:LXDE", "KDE", ""}) {
        for (auto page : {DesktopSettingsPage::Keyboard, DesktopSettingsPage::Mouse}) {
            const auto candidates = SettingsCommandCandidates(desktop, page);
            for (size_t i = 0; i < candidates.size(); ++i) {
                for (size_t j = i + 1; j < candidates.size(); ++j)
                    EXPECT_FALSE(candidates[i] == candidates[j]) << desktop << ": " << candidates[i].program;
            }
        }
    }
}

TEST(DesktopSettingsCommands, PathSearchFindsOnlyExecutableFilesInAbsoluteFolders)
{
    CTempFolder folder;
    std::filesystem::create_directories(folder / "a");
    std::filesystem::create_directories(folder / "b");
    std::filesystem::create_directories(folder / "b/folder-named-like-a-program");
    std::ofstream(folder / "a/tool") << "#!/bin/sh\n";
    std::ofstream(folder / "b/tool") << "#!/bin/sh\n";
    chmod((folder / "b/tool").c_str(), 0755);
    const std::string path = "relative/dir::" + (folder / "a") + ":" + (folder / "b");

    EXPECT_EQ(FindProgramOnPath("tool", path), folder / "b/tool");
    EXPECT_EQ(FindProgramOnPath("folder-named-like-a-program", path), "");
    EXPECT_EQ(FindProgramOnPath("missing", path), "");
    EXPECT_EQ(FindProgramOnPath("../b/tool", folder / "a"), "");
    EXPECT_EQ(FindProgramOnPath("tool", ""), "");
}

// Waits for a file another process writes; the bound only keeps a broken test from hanging.
bool WaitForFile(const std::string& path)
{
    for (int i = 0; i < 1000; ++i) {
        std::error_code error;
        if (std::filesystem::file_size(path, error) > 0 && !error)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST(DetachedProcess, RunsWithoutLeavingAChildOrInheritingDescriptors)
{
    CTempFolder folder;
    const std::string out = folder / "fds";
    // A descriptor this process holds open without close-on-exec, as a careless library might.
    const std::string marker = folder / "held-open-marker";
    const int leaky = open(marker.c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(leaky, 0);

    // The shell lists where its open descriptors lead, then its output is renamed into place.
    ASSERT_TRUE(SpawnDetached("/bin/sh", {"-c", "ls -l /proc/$$/fd > \"$0.part\" && mv \"$0.part\" \"$0\"", out}));
    // The program is not our child: nothing is left to reap.
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);

    ASSERT_TRUE(WaitForFile(out));
    std::ifstream in(out);
    const std::string listing((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(listing.find(" 0 -> "), std::string::npos) << listing;
    EXPECT_EQ(listing.find(marker), std::string::npos) << listing;
    close(leaky);
}

TEST(DetachedProcess, AProgramThatCannotStartIsReported)
{
    CTempFolder folder;
    std::ofstream(folder / "not-executable") << "#!/bin/sh\n";
    EXPECT_FALSE(SpawnDetached(folder / "missing", {}));
    EXPECT_FALSE(SpawnDetached(folder / "not-executable", {}));
    EXPECT_FALSE(SpawnDetached("relative/program", {}));
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
}

TEST(DesktopSettingsLauncher, DoesNothingWhenTheDesktopHasNoSettingsProgram)
{
    CTempFolder folder;
    CDesktopSettingsLauncher launcher("GNOME", folder.Path());
    EXPECT_FALSE(launcher.Open(DesktopSettingsPage::Keyboard));
    EXPECT_FALSE(launcher.Open(DesktopSettingsPage::Mouse));
}

}  // namespace
}  // namespace dw::platform
