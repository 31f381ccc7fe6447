// dunwake-ctl run as a user runs it, on emulated devices: exit status, standard output and
// standard error of each command line.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "support/RunCommand.h"

namespace {

using dw::testsupport::CommandCase;
using dw::testsupport::CommandRun;
using dw::testsupport::RunCommand;

// Runs the binary through the shell with `arguments` (already quoted as needed).
CommandRun RunCtl(const std::string& arguments, const std::string& environment = "")
{
    const std::filesystem::path errFile =
        std::filesystem::temp_directory_path() / ("dunwake-ctl-e2e-" + std::to_string(::getpid()) + ".err");
    CommandRun run = RunCommand(environment + " '" DW_CTL_BINARY "' " + arguments, errFile);
    std::filesystem::remove(errFile);
    return run;
}

TEST(DunwakeCtl, CommandLinesTable)
{
    const std::string descriptor = std::string(DW_SOURCE_DIR) + "/tests/transport/fixtures/notification_and_vendor.hex";
    const std::string describe = "describe '" + descriptor + "'";
    const CommandCase kCases[] = {
        {"--emulate all list", 0,
         "^slot=0 kind=1 role=0 vid=0x4e71 pid=0x0b17 interface=1 collection=4 identity=hid#vid_4e71&pid_0b17&mi_01&col04#",
         "^$"},
        {"--emulate all list", 0, "slot=6 kind=6 role=0 vid=0x5a3c pid=0x3b48 interface=1 collection=4 ", "^$"},
        {"--emulate all list", 0, "slot=10 kind=7 role=0 vid=0x0c76 pid=0x1a47 interface=3 collection=0 identity=hid#vid_0c76&pid_1a47&mi_03#/", "^$"},
        {"--emulate other-mouse list", 0, "^No supported device found", "^$"},
        {"--emulate mouse transact 4 '04 00 00 03 22'", 0, "^result=1\nreply=04 [0-9a-f]{2} [0-9a-f]{2} 03 22 00 00 00 ", "^$"},
        {"--emulate mouse transact 5 04 00 00 03 22", 0, "^result=1\nreply=04 [0-9a-f]{2} [0-9a-f]{2} 03 ", "^$"},
        {"--emulate keyboard --trace transact 0 0400000322", 0,
         "^> 04 25 00 03 22( 00){59}\n< 04 [0-9a-f]{2} [0-9a-f]{2} 03 22[0-9a-f ]*\nresult=1\n", "^$"},
        {"--emulate all transact 6 04 00 00 03 22", 1, "^result=-101\n", "result code -101"},
        {"--emulate mouse transact 6 04 00 00 03 22", 1, "^$", "No device is present on slot 6"},
        {"--emulate mouse transact 4 04 00 00 03 2", 0, "^result=1", "^$"},
        {"--emulate mouse transact 4 '04 0g'", 2, "^$", "hexadecimal"},
        {"--emulate bogus list", 2, "^$", "Unknown emulated device \"bogus\""},
        {"--emulate all transact 11 04", 2, "^$", "slot must be a number"},
        {"frobnicate", 2, "^$", "Unknown command"},
        {"", 2, "^$", "No command given"},
        {"--help", 0, "^Usage: dunwake-ctl [^]*checksum\\s+is filled in", "^$"},
        {describe.c_str(), 0,
         "^collection 1 usage_page=0x000c usage=0x0001 input=3 output=0 feature=0\n  report_ids=3\n  button input "
         "report_id=3 usage_page=0x000c usage=0x0000..0xffff array",
         "^$"},
        {describe.c_str(), 0, "\ncollection 2 usage_page=0xff1c usage=0x0092 input=64 output=64 feature=0\n", "^$"},
        {"describe /nonexistent/descriptor", 1, "^$", "could not be opened"},
    };
    for (const CommandCase& c : kCases) {
        SCOPED_TRACE(c.arguments);
        const CommandRun run = RunCtl(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(std::regex_search(run.out, std::regex(c.out))) << run.out;
        EXPECT_TRUE(std::regex_search(run.err, std::regex(c.err))) << run.err;
    }
}

TEST(DunwakeCtl, DescribesBinaryDescriptorsAndRefusesBrokenOnes)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    const std::filesystem::path good = dir / ("dunwake-ctl-e2e-" + std::to_string(::getpid()) + ".bin");
    const std::filesystem::path bad = dir / ("dunwake-ctl-e2e-" + std::to_string(::getpid()) + "-bad.bin");
    // The boot mouse of the HID standard's appendix, as raw bytes.
    const unsigned char bootMouse[] = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19,
                                       0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01, 0x81, 0x02,
                                       0x95, 0x01, 0x75, 0x05, 0x81, 0x01, 0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x15,
                                       0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x02, 0x81, 0x06, 0xC0, 0xC0};
    std::ofstream(good, std::ios::binary).write(reinterpret_cast<const char*>(bootMouse), sizeof bootMouse);
    // The same, cut in the middle of an item and left with open collections.
    std::ofstream(bad, std::ios::binary).write(reinterpret_cast<const char*>(bootMouse), 12);

    const CommandRun ok = RunCtl("describe '" + good.string() + "'");
    EXPECT_EQ(ok.exitCode, 0) << ok.err;
    EXPECT_TRUE(std::regex_search(ok.out, std::regex("^collection 1 usage_page=0x0001 usage=0x0002 input=4 output=0 "
                                                     "feature=0\n  report_ids=none\n  button input .*usage=0x0001..0x0003")))
        << ok.out;
    EXPECT_TRUE(std::regex_search(ok.out, std::regex("value input .*usage_page=0x0001 usage=0x0030")));

    const CommandRun refused = RunCtl("describe '" + bad.string() + "'");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(std::regex_search(refused.err, std::regex("^The report descriptor was refused: ")));
    std::filesystem::remove(good);
    std::filesystem::remove(bad);
}

TEST(DunwakeCtl, DebugOutputLogsTheTransaction)
{
    const CommandRun run = RunCtl("--emulate keyboard transact 0 04 00 00 03 22", "DUNWAKE_DEBUG=1");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(std::regex_search(
        run.err, std::regex("命令\n04 25 00 03  22 00 00 00  00 00 00 00( [ 0]+)+\n[ 0]+\n返回\n04 [0-9a-f]{2} [0-9a-f]{2} 03  22")))
        << run.err;
    // Without the variable nothing is logged.
    EXPECT_EQ(RunCtl("--emulate keyboard transact 0 04 00 00 03 22").err, "");
}

}  // namespace
