#pragma once

// Conversions between the program's wide texts (one code point per wchar_t) and the UTF-8 used
// by file names, layout, language and profile documents, JSON and D-Bus. Every conversion in the
// program goes through these two functions, so a document or a diagnostic line always holds
// valid text.
//
// Invalid input never fails and never throws. Decoding replaces each maximal part of a byte
// sequence that cannot be completed (a stray continuation byte, a byte that never starts a
// sequence, a sequence cut short by the next character or the end of the input, an overlong
// form, an encoded surrogate, a value past U+10FFFF) by one U+FFFD and carries on with the byte
// that broke it off, as browsers and most text libraries do. Encoding joins a high and a low
// surrogate that follow each other into the one character they stand for, and writes U+FFFD for
// any other wide character that is not a Unicode scalar value.

#include <string>
#include <string_view>

namespace dw::platform {

std::wstring Utf8ToWide(std::string_view bytes);
std::string WideToUtf8(std::wstring_view text);

}  // namespace dw::platform
