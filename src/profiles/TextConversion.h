#pragma once

// Conversions between the UTF-8 byte strings stored in documents and the wide strings the
// window library shows. Every string value the profile and macro code writes to or reads from a
// document goes through these two functions, so that a document always holds valid UTF-8.

#include <string>
#include <string_view>

namespace dw {

// Decodes UTF-8. A byte sequence that is not valid UTF-8 (stray continuation bytes, overlong
// forms, surrogates, values above U+10FFFF, a truncated sequence) becomes one U+FFFD per
// offending byte, so text from a damaged document still shows and never stops the reader.
std::wstring Utf8ToWide(std::string_view bytes);

// Encodes to UTF-8. A wide character that is not a Unicode scalar value (a surrogate or a value
// above U+10FFFF) is written as U+FFFD.
std::string WideToUtf8(std::wstring_view text);

}  // namespace dw
