#pragma once

// Text helpers of the window library: UTF-8 <-> wide conversion, case-insensitive comparison
// and path normalisation. Layout and language files are UTF-8; texts in memory are wide.

#include <string>
#include <string_view>

namespace dw::ui {

// Invalid UTF-8 sequences become U+FFFD; nothing is dropped silently.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// ASCII case folding is enough for element, attribute and control names.
std::wstring ToLowerAscii(std::wstring_view text);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

// Turns '\' into '/' and collapses doubled separators, so names written for the skin's
// original platform ("XML\\Main.xml") resolve here.
std::wstring NormalizePath(std::wstring_view path);
// Joins a folder and a relative name; an absolute name is returned unchanged.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

}  // namespace dw::ui
