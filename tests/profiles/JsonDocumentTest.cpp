#include "profiles/JsonDocument.h"

#include "platform/Utf8.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace dw {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

// A document with every value type and every layout rule the styled text has.
Json::Value LayoutSample()
{
    Json::Value doc(Json::objectValue);
    doc["profilename"] = platform::WideToUtf8(L"Jeu \u00E9t\u00E9 \u65E5\u672C");
    doc["profileUUID"] = "2025_01_07_09_05_03_042";
    doc["escapes"] = "quote \" backslash \\ tab \t line\nbell \x07";
    doc["negative"] = -17;
    doc["large"] = Json::UInt64(1) << 40;
    doc["real"] = 0.5;
    doc["whole real"] = 3.0;
    doc["flag"] = true;
    doc["nothing"] = Json::Value();
    doc["empty object"] = Json::Value(Json::objectValue);
    doc["empty array"] = Json::Value(Json::arrayValue);
    for (int i = 0; i < 10; ++i)
        doc["short array"].append(i * 11);
    for (int i = 0; i < 30; ++i)
        doc["long array"].append(i * 100);
    Json::Value element(Json::objectValue);
    element["Assignment"] = 0x200029;
    element["DefaultAssignment"] = 0x200029;
    doc["Device"].append(Json::Value(Json::objectValue));
    doc["Device"][0]["KeyList"].append(element);
    doc["Device"][0]["Nested"]["Inner"] = Json::Value(Json::arrayValue);
    doc["Device"][0]["Nested"]["Inner"].append("a");
    doc["Device"][0]["Nested"]["Inner"].append(Json::Value(Json::arrayValue));
    // Byte-wise key order puts upper case before lower case.
    doc["Zebra"] = 1;
    return doc;
}

TEST(JsonDocument, WritesTheStyledLayoutByteForByte)
{
    TempFolder folder;
    ASSERT_TRUE(WriteJsonDocument(folder.File("sample.Json"), LayoutSample()));
    const std::string golden = ReadBytes(DW_FIXTURES_DIR "/profiles/styled_document.golden.Json");
    ASSERT_FALSE(golden.empty()) << "golden file missing";
    EXPECT_EQ(ReadBytes(folder.Path() / "sample.Json"), golden);
    // The text ends with the styled text's own line end and the extra one, both CR LF, and no
    // line end anywhere is a bare LF.
    EXPECT_TRUE(golden.ends_with("}\r\n\r\n"));
    for (size_t i = 0; i < golden.size(); ++i) {
        if (golden[i] == '\n') {
            ASSERT_TRUE(i > 0 && golden[i - 1] == '\r') << "bare LF at byte " << i;
        }
    }
}

TEST(JsonDocument, RoundTripsEveryValueType)
{
    TempFolder folder;
    const Json::Value sample = LayoutSample();
    ASSERT_TRUE(WriteJsonDocument(folder.File("sample.Json"), sample));
    const Json::Value read = ReadJsonDocument(folder.File("sample.Json"));
    // jsoncpp reads a positive integer back as signed where it fits, so values are compared
    // through their text rather than their stored type.
    EXPECT_EQ(StyledJsonText(read), StyledJsonText(sample));
    EXPECT_EQ(read["Device"], sample["Device"]);
    EXPECT_EQ(read["escapes"], sample["escapes"]);
    EXPECT_EQ(platform::Utf8ToWide(read["profilename"].asString()), L"Jeu \u00E9t\u00E9 \u65E5\u672C");
    EXPECT_EQ(read["large"].asUInt64(), Json::UInt64(1) << 40);
    EXPECT_TRUE(read["whole real"].isDouble());
    // The non-ASCII name is stored as UTF-8, not as escapes.
    EXPECT_NE(ReadBytes(folder.Path() / "sample.Json").find("\xE6\x97\xA5\xE6\x9C\xAC"), std::string::npos);
}

TEST(JsonDocument, ReadsLineEndsByteOrderMarkAndComments)
{
    struct Case {
        const char* name;
        std::string text;
    };
    const Case cases[] = {
        {"LF", "{\n   \"a\": 1\n}\n"},
        {"CR LF", "{\r\n   \"a\": 1\r\n}\r\n\r\n"},
        {"byte-order mark", "\xEF\xBB\xBF{ \"a\": 1 }"},
        {"comments", "// profile\n{ /* the value */ \"a\": 1 }\n"},
        {"jsoncpp's own spacing", "{\n   \"a\" : 1\n}\n"},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        WriteBytes(folder.Path() / "doc.Json", c.text);
        const Json::Value read = ReadJsonDocument(folder.File("doc.Json"));
        ASSERT_TRUE(read.isObject()) << c.name;
        EXPECT_EQ(read["a"].asInt(), 1) << c.name;
    }
}

TEST(JsonDocument, RefusesWhatIsNotADocument)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.Path() / "folder.Json");
    ASSERT_EQ(::mkfifo((folder.Path() / "pipe.Json").c_str(), 0600), 0);
    WriteBytes(folder.Path() / "huge.Json", "[" + std::string(kMaxDocumentBytes, ' ') + "]");
    WriteBytes(folder.Path() / "deep.Json", std::string(kMaxDocumentDepth + 10, '[') + std::string(kMaxDocumentDepth + 10, ']'));
    WriteBytes(folder.Path() / "empty.Json", "");
    WriteBytes(folder.Path() / "broken.Json", "{ \"a\": ");
    for (const char* name : {"missing.Json", "folder.Json", "pipe.Json", "huge.Json", "deep.Json", "empty.Json", "broken.Json"})
        EXPECT_TRUE(ReadJsonDocument(folder.File(name)).isNull()) << name;
    // Nesting below the limit is fine.
    WriteBytes(folder.Path() / "nested.Json", std::string(20, '[') + std::string(20, ']'));
    EXPECT_TRUE(ReadJsonDocument(folder.File("nested.Json")).isArray());
    EXPECT_TRUE(ReadJsonDocument(L"").isNull());
}

TEST(JsonDocument, FailedWriteLeavesThePreviousDocument)
{
    TempFolder folder;
    const std::wstring path = folder.File("profile.Json");
    Json::Value previous;
    previous["profilename"] = "before";
    ASSERT_TRUE(WriteJsonDocument(path, previous));
    const std::string before = ReadBytes(folder.Path() / "profile.Json");

    // Let the disk refuse the write half way: a file size limit smaller than the document
    // makes write() fail with EFBIG after the first bytes.
    Json::Value bigger;
    bigger["profilename"] = "after";
    bigger["padding"] = std::string(4096, 'x');
    rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 512;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool written = WriteJsonDocument(path, bigger);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(folder.Path() / "profile.Json"), before);
    // No temporary file is left behind.
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++files;
    EXPECT_EQ(files, 1u);

    // A folder that does not exist, and an empty path, are failures too, not crashes.
    EXPECT_FALSE(WriteJsonDocument(folder.File("no-such-folder/profile.Json"), previous));
    EXPECT_FALSE(WriteJsonDocument(L"", previous));
}

TEST(JsonDocument, RewriteKeepsTheFilePermissions)
{
    TempFolder folder;
    const std::wstring path = folder.File("profile.Json");
    ASSERT_TRUE(WriteJsonDocument(path, Json::Value(1)));
    std::filesystem::permissions(folder.Path() / "profile.Json", std::filesystem::perms(0640));
    ASSERT_TRUE(WriteJsonDocument(path, Json::Value(2)));
    EXPECT_EQ(std::filesystem::status(folder.Path() / "profile.Json").permissions(), std::filesystem::perms(0640));
}

TEST(JsonDocument, TimestampIdsFollowLocalTime)
{
    std::tm local {};
    local.tm_year = 2025 - 1900;
    local.tm_mon = 0;
    local.tm_mday = 7;
    local.tm_hour = 9;
    local.tm_min = 5;
    local.tm_sec = 3;
    local.tm_isdst = -1;
    const auto when = std::chrono::system_clock::from_time_t(std::mktime(&local)) + std::chrono::milliseconds(42);
    EXPECT_EQ(MakeTimestampId(when), "2025_01_07_09_05_03_042");
    // Within one millisecond the id does not change.
    EXPECT_EQ(MakeTimestampId(when + std::chrono::microseconds(500)), MakeTimestampId(when));
    EXPECT_TRUE(IsPlainFileName(MakeTimestampId()));
}

TEST(JsonDocument, FileTitleOfDropsFolderAndExtension)
{
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"/home/u/.local/share/x/keyboard/2025_01_07_09_05_03_042.Json", L"2025_01_07_09_05_03_042"},
        {L"profile.json", L"profile"},
        {L"/tmp/Mon profil \u00E9t\u00E9.backup.json", L"Mon profil \u00E9t\u00E9.backup"},
        {L"/tmp/no extension", L"no extension"},
        {L"/tmp/.hidden", L".hidden"},
        {L"/tmp/dir.d/file", L"file"},
        {L"", L""},
    };
    for (const auto& [path, title] : cases)
        EXPECT_EQ(FileTitleOf(path), title) << platform::WideToUtf8(path);
}

TEST(JsonDocument, OnlyPlainNamesAreFileNames)
{
    const std::pair<std::string, bool> cases[] = {
        {"2025_01_07_09_05_03_042", true},
        {"Profil \xC3\xA9t\xC3\xA9", true},
        {"a.b", true},
        {"", false},
        {".", false},
        {"..", false},
        {"../../.bashrc", false},
        {"a..b", false},
        {"sub/file", false},
        {"/etc/passwd", false},
        {"back\\slash", false},
        {"line\nbreak", false},
        {std::string("nul\0byte", 8), false},
        {"del\x7F", false},
        {std::string(200, 'a'), true},
        {std::string(201, 'a'), false},
    };
    for (const auto& [name, plain] : cases)
        EXPECT_EQ(IsPlainFileName(name), plain) << name;
}

}  // namespace
}  // namespace dw
