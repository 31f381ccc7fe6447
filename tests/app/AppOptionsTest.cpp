// The command line of `dunwake` and the display rule.

#include <gtest/gtest.h>

#include "app/AppOptions.h"

namespace dw::app {
namespace {

TEST(AppOptionsTest, ParsesEveryOption)
{
    const AppOptionsResult result = ParseAppOptions(
        {"--emulate", "keyboard,mouse", "--automation=/tmp/s", "--screenshot", "/tmp/a.png", "--headless"});
    ASSERT_TRUE(result.options) << result.error;
    EXPECT_EQ(result.options->emulate, "keyboard,mouse");
    EXPECT_EQ(result.options->automationPath, "/tmp/s");
    EXPECT_EQ(result.options->screenshotPath, "/tmp/a.png");
    EXPECT_TRUE(result.options->headless);
    EXPECT_FALSE(result.options->help);
}

TEST(AppOptionsTest, AnEmptyDeviceListMeansNonePluggedIn)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--emulate", ""}, std::vector<std::string>{"--emulate="}}) {
        const AppOptionsResult result = ParseAppOptions(args);
        ASSERT_TRUE(result.options) << result.error;
        EXPECT_EQ(result.options->emulate, "");
    }
    EXPECT_FALSE(ParseAppOptions({}).options->emulate.has_value());
}

TEST(AppOptionsTest, RefusesMistakes)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--emulate"},
        {"--automation"},
        {"--automation", ""},
        {"--screenshot="},
        {"--frobnicate"},
        {"list"},
        {"--emulate", "a", "--emulate", "b"},
    };
    for (const auto& args : bad) {
        const AppOptionsResult result = ParseAppOptions(args);
        EXPECT_FALSE(result.options);
        EXPECT_FALSE(result.error.empty());
    }
}

TEST(AppOptionsTest, HelpAndDisplayRule)
{
    EXPECT_TRUE(ParseAppOptions({"--help"}).options->help);
    EXPECT_NE(AppUsage().find("--automation PATH"), std::string::npos);

    EXPECT_FALSE(HasDisplay(nullptr, nullptr, nullptr));
    EXPECT_FALSE(HasDisplay("", "", ""));
    EXPECT_TRUE(HasDisplay(":0", nullptr, nullptr));
    EXPECT_TRUE(HasDisplay(nullptr, "wayland-0", nullptr));
    EXPECT_TRUE(HasDisplay(nullptr, nullptr, "offscreen"));
    EXPECT_NE(NoDisplayMessage().find("xvfb-run"), std::string::npos);
    EXPECT_NE(NoDisplayMessage().find("--screenshot"), std::string::npos);
}

}  // namespace
}  // namespace dw::app
