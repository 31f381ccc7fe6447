#pragma once

// Text helpers of the window library: case-insensitive comparison and path normalisation.
// Layout and language files are UTF-8 and texts in memory are wide; the conversion between the
// two is platform::Utf8ToWide and platform::WideToUtf8 (platform/Utf8.h).

#include <string>
#include <string_view>

namespace dw::ui {

// ASCII case folding is enough for element, attribute and control names.
std::wstring ToLowerAscii(std::wstring_view text);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

// Turns '\' into '/' and collapses doubled separators, so names written for the skin's
// original platform ("XML\\Main.xml") resolve here.
std::wstring NormalizePath(std::wstring_view path);
// Joins a folder and a relative name; an absolute name is returned unchanged.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

}  // namespace dw::ui
