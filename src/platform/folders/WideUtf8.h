#pragma once

// Conversions between the program's wide texts and the UTF-8 used by file names, JSON
// documents and D-Bus. Invalid input never fails: a byte sequence that is not UTF-8, or a wide
// character that is not a code point, becomes U+FFFD.

#include <string>
#include <string_view>

namespace dw::platform {

std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

}  // namespace dw::platform
