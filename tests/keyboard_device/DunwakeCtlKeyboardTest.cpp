// `dunwake-ctl keyboard ...` run as a user runs it, on the emulated keyboard by cable and
// through its receiver, with the per-user folder in a temporary folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include "support/RunCommand.h"

namespace {

using dw::testsupport::CommandCase;
using dw::testsupport::CommandRun;
using dw::testsupport::ReadAll;
using dw::testsupport::RunCommand;

class DunwakeCtlKeyboard : public testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "dw-ctl-keyboard-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        home = pattern;
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(home, ignored);
    }

    // Runs the binary through the shell with `arguments` (already quoted as needed).
    CommandRun Run(const std::string& arguments)
    {
        return RunCommand("XDG_DATA_HOME='" + home.string() + "' DUNWAKE_RESOURCES='" DW_RESOURCES_DIR
                          "' '" DW_CTL_BINARY "' " + arguments,
                          home / "stderr");
    }

    std::filesystem::path KeyboardFolder() const { return home / "VEXLO Dunwake 75 tri-mode" / "keyboard"; }

    std::filesystem::path home;
};

TEST_F(DunwakeCtlKeyboard, SubcommandsByCableAndThroughTheReceiver)
{
    const CommandCase kCases[] = {
        {"--emulate keyboard keyboard info", 0,
         "^connection=cable\nslots=132\nmacro_memory=[0-9]+ bytes\nlink_state=0x40 \\(linked\\)\neffects=46\n", "^$"},
        {"--emulate keyboard-receiver keyboard info", 0, "^connection=receiver\nslots=132\n", "^$"},
        {"--emulate keyboard keyboard link", 0, "^connection=cable\nlinked=1\n$", "^$"},
        {"--emulate keyboard-receiver keyboard link", 0, "^connection=receiver\nlinked=1\n$", "^$"},
        {"--emulate keyboard keyboard status", 0, "^battery=[0-9]+%\npower=[a-z ]+\nreceiver=0\nmode=0x", "^$"},
        {"--emulate keyboard-receiver keyboard status", 0, "\nreceiver=1\n", "^$"},
        {"--emulate keyboard keyboard read-settings", 0, "^active_profile=0\neffect=[0-9]+ name=[^ ]+ code=0x",
         "^$"},
        {"--emulate keyboard keyboard read-keymap", 0,
         "^key=0 name=keyboard_key_Esc slot=0 light=0 current=0x200029 \\(keyboard_key_Esc\\) default=0x200029\n",
         "^$"},
        {"--emulate keyboard keyboard read-keymap", 0, "\nkey=36 name=keyboard_key_Home slot=[0-9]+ light=33 ", "^$"},
        {"--emulate keyboard keyboard set-key 0 0x200204", 0,
         "^result=1\nkey=0 current=0x200204 \\(keyboard_key_LShift\\+keyboard_key_A\\)\n", "^$"},
        {"--emulate keyboard-receiver keyboard set-key 1 2097156", 0, "^result=1\nkey=1 current=0x200004", "^$"},
        {"--emulate keyboard keyboard set-key 104 0x200004", 1, "^$", "no slot for logical key 104"},
        {"--emulate keyboard keyboard set-key 170 0x200004", 2, "^$", "logical key must be a number"},
        {"--emulate keyboard keyboard set-key 0 0x1000000", 2, "^$", "assignment must be"},
        {"--emulate keyboard keyboard write-settings --brightness 9", 2, "^$", "level from 0 to 4"},
        {"--emulate keyboard keyboard write-settings --colour 12345", 2, "^$", "RRGGBB"},
        {"--emulate keyboard keyboard write-settings --effect 200", 2, "^$", "There is no effect 200"},
        {"--emulate keyboard keyboard frobnicate", 2, "^$", "Unknown keyboard subcommand"},
        {"--emulate keyboard keyboard", 2, "^$", "needs a subcommand"},
        {"--emulate mouse keyboard info", 1, "^$", "No keyboard found"},
        {"--emulate keyboard --trace keyboard link", 0, "^connection=cable\nlinked=1\n$", "^$"},
        {"--emulate keyboard-receiver --trace keyboard link", 0,
         "^> 04 [0-9a-f]{2} [0-9a-f]{2} aa( 00){60}\n< 04 [0-9a-f ]+\nconnection=receiver\nlinked=1\n", "^$"},
        {"--emulate keyboard --trace keyboard status", 0, "^> 04 [0-9a-f]{2} 00 1a 06( 00){59}\n< 04 ", "^$"},
    };
    for (const CommandCase& c : kCases) {
        SCOPED_TRACE(c.arguments);
        const CommandRun run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_TRUE(std::regex_search(run.out, std::regex(c.out))) << run.out;
        EXPECT_TRUE(std::regex_search(run.err, std::regex(c.err))) << run.err;
    }
}

TEST_F(DunwakeCtlKeyboard, WriteSettingsChangesOnlyTheFieldsGivenAndKeepsTheProfile)
{
    // Each run is a fresh emulated keyboard, so the write is checked in the run's own output
    // and in the profile file it leaves.
    const CommandRun run = Run("--emulate keyboard keyboard write-settings --brightness 1 --colour 00ff80 --speed 4");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(std::regex_search(run.out, std::regex("^result=1\n"))) << run.out;
    EXPECT_TRUE(std::regex_search(run.out, std::regex("\nbrightness=1\nspeed=4\ndirection=0\n"))) << run.out;
    EXPECT_TRUE(std::regex_search(run.out, std::regex("\ncolour=00FF80\n"))) << run.out;

    const std::string list = ReadAll(KeyboardFolder() / "ProfileList.ini");
    std::smatch id;
    ASSERT_TRUE(std::regex_search(list, id, std::regex("\"profileUUID\"\\s*:\\s*\"([0-9_]+)\""))) << list;
    const std::string profile = ReadAll(KeyboardFolder() / (id[1].str() + ".Json"));
    EXPECT_TRUE(std::regex_search(profile, std::regex("\"Light\"\\s*:\\s*1\\b"))) << profile;
    EXPECT_TRUE(std::regex_search(profile, std::regex("\"Green\"\\s*:\\s*255\\b"))) << profile;
    EXPECT_TRUE(std::regex_search(profile, std::regex("\"profilename\"\\s*:\\s*\"Profile1\""))) << profile;

    // A second run uses the same profile.
    const CommandRun info = Run("--emulate keyboard keyboard info");
    EXPECT_TRUE(std::regex_search(info.out, std::regex("profile_file=.*" + id[1].str() + "\\.Json\n"))) << info.out;
}

TEST_F(DunwakeCtlKeyboard, SetKeyRemembersTheAssignmentInTheProfile)
{
    ASSERT_EQ(Run("--emulate keyboard keyboard set-key 0 0x200204").exitCode, 0);
    // The next run starts from a factory keyboard, but the profile remembers the assignment.
    const CommandRun keymap = Run("--emulate keyboard keyboard read-keymap");
    EXPECT_TRUE(std::regex_search(keymap.out, std::regex("^key=0 name=keyboard_key_Esc slot=0 light=0 current=0x200204 ")))
        << keymap.out;
}

}  // namespace
