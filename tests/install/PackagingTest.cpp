// The packaging files as they are in the source tree: the udev rule that opens the supported
// devices to the logged-in user, the desktop entry and the icons.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "ChildProcess.h"
#include "UdevRuleSyntax.h"
#include "transport/DeviceTables.h"

namespace {

using dw::test::ParseUdevRules;
using dw::test::UdevRule;

const std::filesystem::path kPackaging = std::filesystem::path(DW_SOURCE_DIR) / "packaging";
const std::filesystem::path kRuleFile = kPackaging / "70-dunwake.rules";

std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Hex4(uint16_t value)
{
    std::array<char, 5> text{};
    std::snprintf(text.data(), text.size(), "%04x", value);
    return text.data();
}

struct SyntaxCase {
    const char* text;
    const char* error;  // a part of the first error; empty when the text is sound
};

TEST(UdevRuleSyntax, AcceptsSoundRulesAndNamesTheFaultOfBrokenOnes)
{
    const SyntaxCase kCases[] = {
        {"", ""},
        {"# only a comment\n\n   \n", ""},
        {"SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"4e71\", TAG+=\"uaccess\"\n", ""},
        {"  KERNEL==\"hidraw*\",MODE=\"0660\"  ", ""},
        {"ACTION==\"remove\", GOTO=\"end\"\nLABEL=\"end\"", ""},
        {"ENV{ID_X}=\"1\", RUN+=\"/bin/true\"", ""},
        {"SUBSYSTEM=\"hidraw\", TAG+=\"uaccess\"", "SUBSYSTEM cannot be assigned"},
        {"SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"4e71\"", "only matches"},
        {"SUBSYSTEM==\"hidraw\" TAG+=\"uaccess\"", "expected ','"},
        {"SUBSYSTEM==\"hidraw\", TAG+=\"uaccess\",", "trailing ','"},
        {"SUBSYSTEM==hidraw, TAG+=\"uaccess\"", "double quotes"},
        {"SUBSYSTEM==\"hidraw\", TAG+=\"uaccess", "unclosed quote"},
        {"ATTRS==\"4e71\", TAG+=\"uaccess\"", "needs an attribute"},
        {"ATTRS{idVendor==\"4e71\", TAG+=\"uaccess\"", "unclosed '{'"},
        {"TAG{x}+=\"uaccess\"", "takes no attribute"},
        {"SUBSYSTEMZ==\"hidraw\", TAG+=\"uaccess\"", "unknown key SUBSYSTEMZ"},
        {"subsystem==\"hidraw\", TAG+=\"uaccess\"", "expected a key"},
        {"SUBSYSTEM ~ \"hidraw\", TAG+=\"uaccess\"", "expected an operator"},
        {"MODE==\"0666\"", "MODE cannot be matched"},
        {"SUBSYSTEM==\"hidraw\", \\\n TAG+=\"uaccess\"", "line continuation"},
        {"# fine\nSUBSYSTEM==\"hidraw\", TAG+=\"uaccess\"\nTAG=\"x\", BOGUS=\"y\"", "line 3: unknown key BOGUS"},
    };
    for (const SyntaxCase& c : kCases) {
        SCOPED_TRACE(c.text);
        const auto parsed = ParseUdevRules(c.text);
        if (c.error[0] == '\0') {
            EXPECT_TRUE(parsed.errors.empty()) << parsed.errors.front();
        } else {
            ASSERT_FALSE(parsed.errors.empty());
            EXPECT_NE(parsed.errors.front().find(c.error), std::string::npos) << parsed.errors.front();
        }
    }
}

TEST(UdevRule, IsSoundAndSortsBeforeTheSeatRules)
{
    const std::string text = ReadAll(kRuleFile);
    ASSERT_FALSE(text.empty()) << kRuleFile;
    const auto parsed = ParseUdevRules(text);
    for (const std::string& error : parsed.errors)
        ADD_FAILURE() << kRuleFile.filename().string() << " " << error;

    // 73-seat-late.rules turns the uaccess tag into access for the session; rules read after it
    // are too late.
    EXPECT_LT(kRuleFile.filename().string(), std::string("73-seat-late.rules"));
}

// Every supported device, by cable or receiver, is opened to the user; nothing else is, and no
// rule widens access beyond the logged-in user (no MODE, GROUP or OWNER).
TEST(UdevRule, GivesTheUserEverySupportedDeviceAndNothingElse)
{
    const auto parsed = ParseUdevRules(ReadAll(kRuleFile));
    ASSERT_TRUE(parsed.errors.empty());

    std::set<std::pair<std::string, std::string>> supported;
    for (const auto& row : dw::kSupportedInterfaces)
        supported.insert({Hex4(row.vendorId), Hex4(row.productId)});

    std::set<std::pair<std::string, std::string>> granted;
    for (const UdevRule& rule : parsed.rules) {
        SCOPED_TRACE("line " + std::to_string(rule.lineNumber));
        const auto* subsystem = rule.Find("SUBSYSTEM", "", "==");
        const auto* vendor = rule.Find("ATTRS", "idVendor", "==");
        const auto* product = rule.Find("ATTRS", "idProduct", "==");
        ASSERT_NE(subsystem, nullptr);
        EXPECT_EQ(subsystem->value, "hidraw");
        ASSERT_NE(vendor, nullptr);
        ASSERT_NE(product, nullptr);
        for (const auto& pair : rule.pairs) {
            if (pair.op != "==" && pair.op != "!=") {
                EXPECT_TRUE(pair.key == "TAG" && pair.op == "+=" && pair.value == "uaccess")
                    << pair.key << pair.op << pair.value;
            }
        }
        ASSERT_NE(rule.Find("TAG", "", "+="), nullptr);
        // sysfs writes the ids as four lower-case hexadecimal digits; "4E71" would never match.
        const std::pair<std::string, std::string> id{vendor->value, product->value};
        EXPECT_TRUE(supported.count(id) == 1) << "not a supported device: " << id.first << ":" << id.second;
        granted.insert(id);
    }
    for (const auto& id : supported)
        EXPECT_TRUE(granted.count(id) == 1) << "no access rule for " << id.first << ":" << id.second;
}

TEST(UdevRule, PassesUdevadmVerifyWhereItExists)
{
    if (!dw::test::HaveProgram("udevadm"))
        GTEST_SKIP() << "udevadm is not installed; the syntax tests above stand in for it";
    const auto help = dw::test::RunChild({"udevadm", "verify", "--help"});
    if (help.exitCode != 0)
        GTEST_SKIP() << "this udevadm has no verify command; the syntax tests above stand in for it";
    const auto run = dw::test::RunChild({"udevadm", "verify", "--resolve-names=never", kRuleFile.string()});
    EXPECT_EQ(run.exitCode, 0) << run.output;
}

std::map<std::string, std::string> ReadDesktopEntry(const std::filesystem::path& file)
{
    std::map<std::string, std::string> entry;
    std::ifstream in(file);
    std::string line;
    bool inEntryGroup = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.front() == '[') {
            inEntryGroup = line == "[Desktop Entry]";
            continue;
        }
        const size_t equals = line.find('=');
        if (inEntryGroup && equals != std::string::npos && line.front() != '#')
            entry[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return entry;
}

TEST(DesktopEntry, StartsTheProgramUnderSettings)
{
    const auto entry = ReadDesktopEntry(kPackaging / "dunwake.desktop");
    const std::pair<const char*, const char*> kExpected[] = {
        {"Type", "Application"},
        {"Exec", "dunwake"},
        {"Icon", "dunwake"},
        {"Terminal", "false"},
        {"Categories", "Settings;HardwareSettings;"},
    };
    for (const auto& [key, value] : kExpected) {
        const auto found = entry.find(key);
        ASSERT_NE(found, entry.end()) << key;
        EXPECT_EQ(found->second, value) << key;
    }
    EXPECT_FALSE(entry.count("Name") == 0 || entry.at("Name").empty());
}

TEST(DesktopEntry, PassesDesktopFileValidate)
{
    if (!dw::test::HaveProgram("desktop-file-validate"))
        GTEST_SKIP() << "desktop-file-validate is not installed (Debian package desktop-file-utils)";
    const auto run = dw::test::RunChild({"desktop-file-validate", (kPackaging / "dunwake.desktop").string()});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output, "");  // hints and warnings too
}

struct PngHeader {
    uint32_t width = 0;
    uint32_t height = 0;
    int colourType = -1;
};

// The IHDR chunk follows the 8-byte signature: length, "IHDR", width, height, depth, colour type.
bool ReadPngHeader(const std::filesystem::path& file, PngHeader& header)
{
    const std::string bytes = ReadAll(file);
    constexpr std::string_view kSignature("\x89PNG\r\n\x1a\n", 8);
    if (bytes.size() < 33 || bytes.compare(0, 8, kSignature) != 0 || bytes.compare(12, 4, "IHDR") != 0)
        return false;
    auto u32 = [&](size_t at) {
        uint32_t v = 0;
        for (size_t i = 0; i < 4; ++i)
            v = (v << 8) | static_cast<uint8_t>(bytes[at + i]);
        return v;
    };
    header.width = u32(16);
    header.height = u32(20);
    header.colourType = static_cast<uint8_t>(bytes[25]);
    return true;
}

TEST(Icon, EveryPngHasTheSizeItIsInstalledAsAndAnAlphaChannel)
{
    constexpr int kRgba = 6;
    for (uint32_t size : {48u, 128u, 256u}) {
        SCOPED_TRACE(size);
        PngHeader header;
        ASSERT_TRUE(ReadPngHeader(kPackaging / "icons" / (std::to_string(size) + ".png"), header));
        EXPECT_EQ(header.width, size);
        EXPECT_EQ(header.height, size);
        EXPECT_EQ(header.colourType, kRgba);  // the rounded corners need an alpha channel
    }
    EXPECT_TRUE(std::filesystem::is_regular_file(kPackaging / "dunwake.svg"));
}

}  // namespace
