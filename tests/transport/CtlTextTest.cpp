#include <gtest/gtest.h>

#include "CtlArguments.h"
#include "HexText.h"

namespace dw::ctl {
namespace {

TEST(HexText, ParsesTheForms)
{
    struct Case {
        const char* text;
        std::optional<std::vector<uint8_t>> bytes;
    };
    const Case kCases[] = {
        {"04 00 00 03 22", std::vector<uint8_t>{0x04, 0x00, 0x00, 0x03, 0x22}},
        {"0400000322", std::vector<uint8_t>{0x04, 0x00, 0x00, 0x03, 0x22}},
        {"0x04,0x3,  AB\tcd\n", std::vector<uint8_t>{0x04, 0x03, 0xAB, 0xCD}},
        {"4 5", std::vector<uint8_t>{0x04, 0x05}},
        {"05 01 # usage page\n09 06 // usage\n", std::vector<uint8_t>{0x05, 0x01, 0x09, 0x06}},
        {"", std::vector<uint8_t>{}},
        {"040", std::nullopt},       // odd number of digits in a run
        {"04 zz", std::nullopt},
        {"0x", std::nullopt},
        {"04-05", std::nullopt},
        {"0102030405", std::nullopt},  // more than the 4 bytes allowed below
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseHexBytes(c.text, 4 + (c.bytes && c.bytes->size() > 4 ? c.bytes->size() : 0)), c.bytes);
    }
    EXPECT_EQ(FormatHexBytes(std::vector<uint8_t>{0x04, 0xAB, 0x0F}), "04 ab 0f");
    EXPECT_EQ(FormatHexBytes({}), "");
}

TEST(CtlArguments, AcceptsTheCommands)
{
    auto parse = [](std::vector<std::string> args) { return ParseCtlArguments(args); };

    auto list = parse({"--emulate", "all", "list"});
    ASSERT_TRUE(list.arguments);
    EXPECT_EQ(list.arguments->command, CtlCommand::List);
    EXPECT_EQ(list.arguments->emulate, "all");
    EXPECT_FALSE(list.arguments->trace);

    auto transact = parse({"--trace", "--emulate=mouse", "transact", "4", "04", "00 00", "03"});
    ASSERT_TRUE(transact.arguments);
    EXPECT_EQ(transact.arguments->command, CtlCommand::Transact);
    EXPECT_TRUE(transact.arguments->trace);
    EXPECT_EQ(transact.arguments->slot, 4);
    EXPECT_EQ(transact.arguments->hexBytes, "04 00 00 03");

    auto describe = parse({"describe", "file.bin"});
    ASSERT_TRUE(describe.arguments);
    EXPECT_EQ(describe.arguments->command, CtlCommand::Describe);
    EXPECT_EQ(describe.arguments->file, "file.bin");

    auto help = parse({"list", "--help"});
    ASSERT_TRUE(help.arguments);
    EXPECT_EQ(help.arguments->command, CtlCommand::Help);
}

TEST(CtlArguments, RefusesWrongUsage)
{
    const std::vector<std::vector<std::string>> kWrong = {
        {},
        {"--emulate"},
        {"--emulate", "", "list"},
        {"--frobnicate", "list"},
        {"list", "extra"},
        {"transact", "4"},
        {"transact", "11", "04"},
        {"transact", "-1", "04"},
        {"transact", "4x", "04"},
        {"describe"},
        {"explode"},
    };
    for (const auto& args : kWrong) {
        const CtlParseResult result = ParseCtlArguments(args);
        EXPECT_FALSE(result.arguments);
        EXPECT_FALSE(result.error.empty());
    }
}

}  // namespace
}  // namespace dw::ctl
