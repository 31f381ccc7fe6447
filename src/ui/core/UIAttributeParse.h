#pragma once

// Parsers of the attribute value forms the layouts use. Each returns nothing when the text is
// malformed, so that the builder can report the attribute with its file and line.

#include <optional>
#include <string_view>

#include "ui/core/UIDefs.h"

namespace dw::ui {

// Whole decimal number, optionally signed; surrounding spaces allowed.
std::optional<int> ParseInt(std::wstring_view text);
// Decimal number with an optional fraction ("0.5").
std::optional<double> ParseDouble(std::wstring_view text);
// "true"/"false" (case-insensitive), also "1"/"0".
std::optional<bool> ParseBool(std::wstring_view text);
// "#AARRGGBB", "#RRGGBB" (opaque), "0xAARRGGBB" or "AARRGGBB".
std::optional<UIColor> ParseColor(std::wstring_view text);
// "l,t,r,b"; with allowShort also a single number for all four sides.
std::optional<UIRect> ParseRect(std::wstring_view text, bool allowShort = false);
// "cx,cy"; with allowShort also a single number for both.
std::optional<UISize> ParseSize(std::wstring_view text, bool allowShort = false);

}  // namespace dw::ui
