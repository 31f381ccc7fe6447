#include "profiles/TextConversion.h"

#include <gtest/gtest.h>

namespace dw {
namespace {

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::wstring text;
};

TEST(TextConversion, DecodesUtf8AndReplacesWhatIsNotUtf8)
{
    const DecodeCase cases[] = {
        {"ascii", "Profile1", L"Profile1"},
        {"two, three and four bytes", "\xC3\xA9\xE6\x97\xA5\xF0\x9F\x8E\xAE", L"\u00E9\u65E5\U0001F3AE"},
        {"stray continuation byte", "a\x80z", L"a\uFFFDz"},
        {"overlong slash", "\xC0\xAF", L"\uFFFD\uFFFD"},
        {"overlong three-byte form", "\xE0\x80\xAF", L"\uFFFD\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"truncated at the end", "ok\xE6\x97", L"ok\uFFFD\uFFFD"},
        {"embedded NUL kept", std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Utf8ToWide(c.bytes), c.text) << c.name;
}

TEST(TextConversion, EncodesEveryScalarValueAndReplacesTheRest)
{
    const std::wstring text = L"Ab\u00E9\u65E5\U0001F3AE\U0010FFFF";
    EXPECT_EQ(Utf8ToWide(WideToUtf8(text)), text);
    EXPECT_EQ(WideToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
    EXPECT_EQ(WideToUtf8(std::wstring(1, static_cast<wchar_t>(0x110000))), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace dw
