// The automation channel's command language: every verb, the argument rules, and the answers.

#include <gtest/gtest.h>

#include "app/AutomationCommand.h"

namespace dw::app {
namespace {

struct ValidCase {
    std::string line;
    AutomationCommand expected;
};

AutomationCommand Make(AutomationVerb verb)
{
    AutomationCommand c;
    c.verb = verb;
    return c;
}

std::vector<ValidCase> ValidCases()
{
    std::vector<ValidCase> cases;
    auto add = [&](std::string line, AutomationVerb verb, auto&& fill) {
        AutomationCommand c = Make(verb);
        fill(c);
        cases.push_back({std::move(line), c});
    };
    add("click closebtn", AutomationVerb::Click, [](auto& c) { c.name = "closebtn"; });
    add("  click   closebtn  ", AutomationVerb::Click, [](auto& c) { c.name = "closebtn"; });
    add("click closebtn\r", AutomationVerb::Click, [](auto& c) { c.name = "closebtn"; });
    add("get device_select_layout", AutomationVerb::Get, [](auto& c) { c.name = "device_select_layout"; });
    add("get @window", AutomationVerb::Get, [](auto& c) { c.name = "@window"; });
    add("select light_combo_modeSelect 3", AutomationVerb::Select, [](auto& c) {
        c.name = "light_combo_modeSelect";
        c.index = 3;
    });
    add("select list 0x10", AutomationVerb::Select, [](auto& c) {
        c.name = "list";
        c.index = 16;
    });
    add("type edit hello world", AutomationVerb::Type, [](auto& c) {
        c.name = "edit";
        c.text = "hello world";
    });
    add("type edit  two%20lead%0Aline %25", AutomationVerb::Type, [](auto& c) {
        c.name = "edit";
        c.text = " two lead\nline %";
    });
    add("type edit", AutomationVerb::Type, [](auto& c) { c.name = "edit"; });
    add("type edit \xE4\xB8\xAD", AutomationVerb::Type, [](auto& c) {
        c.name = "edit";
        c.text = "\xE4\xB8\xAD";
    });
    add("message {4695579F-999A-41d4-9FAF-EFFCE93EBF17} 1 0", AutomationVerb::Message, [](auto& c) {
        c.name = "{4695579F-999A-41d4-9FAF-EFFCE93EBF17}";
        c.wParam = 1;
        c.lParam = 0;
    });
    add("message VEXLO Dunwake 75 tri-mode 0 1", AutomationVerb::Message, [](auto& c) {
        c.name = "VEXLO Dunwake 75 tri-mode";
        c.wParam = 0;
        c.lParam = 1;
    });
    add("message Game_Start 0xFFFFFFFFFFFFFFFF -9223372036854775808", AutomationVerb::Message, [](auto& c) {
        c.name = "Game_Start";
        c.wParam = UINT64_MAX;
        c.lParam = INT64_MIN;
    });
    add("post 3089 1 0", AutomationVerb::Post, [](auto& c) {
        c.messageNumber = 3089;
        c.wParam = 1;
    });
    // Both ends of the private range; hexadecimal numbers and a negative lParam.
    add("post 0x0400 0xFFFFFFFFFFFFFFFF -1", AutomationVerb::Post, [](auto& c) {
        c.messageNumber = 0x0400;
        c.wParam = UINT64_MAX;
        c.lParam = -1;
    });
    add("  post   0xBFFF 0 0x7FFFFFFFFFFFFFFF ", AutomationVerb::Post, [](auto& c) {
        c.messageNumber = 0xBFFF;
        c.lParam = INT64_MAX;
    });
    add("emulate plug keyboard-receiver", AutomationVerb::EmulatePlug, [](auto& c) { c.device = "keyboard-receiver"; });
    add("emulate unplug mouse", AutomationVerb::EmulateUnplug, [](auto& c) { c.device = "mouse"; });
    add("emulate power keyboard off", AutomationVerb::EmulatePower, [](auto& c) {
        c.device = "keyboard";
        c.on = false;
    });
    add("emulate power mouse on", AutomationVerb::EmulatePower, [](auto& c) {
        c.device = "mouse";
        c.on = true;
    });
    add("emulate notify keyboard 0x1002", AutomationVerb::EmulateNotify, [](auto& c) {
        c.device = "keyboard";
        c.code = 0x1002;
    });
    add("screenshot /tmp/a b.png", AutomationVerb::Screenshot, [](auto& c) { c.file = "/tmp/a b.png"; });
    add("quit", AutomationVerb::Quit, [](auto&) {});
    return cases;
}

TEST(AutomationCommandTest, ParsesEveryVerb)
{
    for (const ValidCase& testCase : ValidCases()) {
        SCOPED_TRACE(testCase.line);
        const AutomationParseResult result = ParseAutomationCommand(testCase.line);
        ASSERT_TRUE(result.command.has_value()) << result.error;
        const AutomationCommand& got = *result.command;
        const AutomationCommand& want = testCase.expected;
        EXPECT_EQ(got.verb, want.verb);
        EXPECT_EQ(got.name, want.name);
        EXPECT_EQ(got.device, want.device);
        EXPECT_EQ(got.text, want.text);
        EXPECT_EQ(got.file, want.file);
        EXPECT_EQ(got.index, want.index);
        EXPECT_EQ(got.messageNumber, want.messageNumber);
        EXPECT_EQ(got.wParam, want.wParam);
        EXPECT_EQ(got.lParam, want.lParam);
        EXPECT_EQ(got.on, want.on);
        EXPECT_EQ(got.code, want.code);
    }
}

TEST(AutomationCommandTest, RejectsMalformedLinesWithAReason)
{
    const std::vector<std::string> bad = {
        "",
        "   ",
        "\r",
        "jump closebtn",
        "CLICK closebtn",
        "click",
        "click a b",
        "get",
        "select combo",
        "select combo -1",
        "select combo x",
        "select combo 99999999999",
        "select combo 1 2",
        "type",
        "type edit bad%zzescape",
        "type edit trailing%4",
        "message Game_Start 1",
        "message 1 2",
        "message Game_Start one 2",
        "message Game_Start 1 99999999999999999999",
        "message Game_Start 0x 1",
        "post",
        "post 3089",
        "post 3089 1",
        "post 3089 1 0 9",
        "post 0x03FF 0 0",          // the window library's own messages
        "post 1023 0 0",
        "post 0xC000 0 0",          // registered messages
        "post 0x100000400 0 0",     // wraps into the range if truncated to 32 bits
        "post -3089 0 0",
        "post WM_USER 0 0",
        "post 3089 -1 0",
        "post 3089 1 0x8000000000000000",
        "post 3089 x 0",
        "emulate",
        "emulate plug",
        "emulate plug keyboard mouse",
        "emulate dance keyboard",
        "emulate power keyboard",
        "emulate power keyboard maybe",
        "emulate notify keyboard",
        "emulate notify keyboard 0x10000",
        "emulate notify keyboard -1",
        "screenshot",
        "screenshot ",
        "quit now",
        "click\tclosebtn",
        std::string("click \0name", 11),
    };
    for (const std::string& line : bad) {
        SCOPED_TRACE(line);
        const AutomationParseResult result = ParseAutomationCommand(line);
        EXPECT_FALSE(result.command.has_value());
        EXPECT_FALSE(result.error.empty());
    }
}

TEST(AutomationCommandTest, PercentEncodingRoundTripsAnyBytes)
{
    std::string every;
    for (int b = 0; b < 256; ++b)
        every.push_back(static_cast<char>(b));
    const std::string encoded = PercentEncode(every);
    EXPECT_EQ(encoded.find_first_of(std::string(" \r\n\t=\0", 6)), std::string::npos);
    EXPECT_EQ(PercentDecode(encoded), every);
    EXPECT_EQ(PercentEncode("Hello world=1%"), "Hello%20world%3D1%25");
    EXPECT_EQ(PercentEncode("\xE6\x8E\xA7"), "%E6%8E%A7");
    EXPECT_EQ(PercentDecode("%e6%8e%a7"), "\xE6\x8E\xA7");
}

TEST(AutomationCommandTest, AnswersAreOneLine)
{
    EXPECT_EQ(FormatGetAnswer("a b", true, false, true), "ok text=a%20b visible=1 enabled=0 selected=1");
    EXPECT_EQ(FormatGetAnswer("", false, true, false), "ok text= visible=0 enabled=1 selected=0");
    EXPECT_EQ(FormatError("two\nlines\r"), "error two lines ");
}

}  // namespace
}  // namespace dw::app
