#include "platform/Utf8.h"

#include <gtest/gtest.h>

namespace dw::platform {
namespace {

TEST(Utf8, DecodesUtf8AndReplacesEachBrokenSequenceOnce)
{
    struct Case {
        const char* what;
        std::string bytes;
        std::wstring text;
    };
    const Case cases[] = {
        {"ascii", "Profile1", L"Profile1"},
        {"two, three and four bytes", "\xC3\xA9\xE6\x97\xA5\xF0\x9F\x8E\xAE", L"\u00E9\u65E5\U0001F3AE"},
        {"smallest and largest of each length", "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF",
         L"\u007F\u0080\u07FF\u0800\uFFFF\U00010000\U0010FFFF"},
        {"around the surrogates", "\xED\x9F\xBF\xEE\x80\x80", L"\uD7FF\uE000"},
        {"embedded NUL kept", std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
        {"stray continuation byte", "a\x80z", L"a\uFFFDz"},
        {"bytes that start nothing", "\xC1\xF5\xFF", L"\uFFFD\uFFFD\uFFFD"},
        {"overlong slash", "\xC0\xAF", L"\uFFFD\uFFFD"},
        {"overlong three-byte form", "\xE0\x80\xAF", L"\uFFFD\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"truncated at the end", "ok\xE6\x97", L"ok\uFFFD"},
        {"lead byte alone at the end", "a\xE8", L"a\uFFFD"},
        {"cut short by ASCII", "\xE8x", L"\uFFFDx"},
        {"cut short by another sequence", "\xF0\x9F\x8E\xC3\xA9", L"\uFFFD\u00E9"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8ToWide(c.bytes), c.text) << c.what;
}

TEST(Utf8, EncodesEveryScalarValueAndReplacesTheRest)
{
    struct Case {
        const char* what;
        std::wstring text;
        std::string bytes;
    };
    const Case cases[] = {
        {"one to four bytes", L"A\u00E9\u65E5\U0001F3AE", "A\xC3\xA9\xE6\x97\xA5\xF0\x9F\x8E\xAE"},
        {"lone surrogate", std::wstring(1, static_cast<wchar_t>(0xD800)), "\xEF\xBF\xBD"},
        {"surrogate pair is one character", std::wstring{static_cast<wchar_t>(0xD83C), static_cast<wchar_t>(0xDFAE)},
         "\xF0\x9F\x8E\xAE"},
        {"surrogates in the wrong order", std::wstring{static_cast<wchar_t>(0xDFAE), static_cast<wchar_t>(0xD83C)},
         "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"beyond U+10FFFF", std::wstring(1, static_cast<wchar_t>(0x110000)), "\xEF\xBF\xBD"},
        {"negative wide character", std::wstring(1, static_cast<wchar_t>(-1)), "\xEF\xBF\xBD"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WideToUtf8(c.text), c.bytes) << c.what;

    const std::wstring text = L"Gr\u00FC\u00DFe \u8BED\u8A00 \u007F\u0080\u07FF\u0800\uFFFF\U00010000\U0010FFFF";
    EXPECT_EQ(Utf8ToWide(WideToUtf8(text)), text);
}

}  // namespace
}  // namespace dw::platform
