#pragma once

// Hue, saturation and brightness of a colour, as the colour palette presents it: the square
// picks saturation (x) and brightness (y) for the hue chosen on the bar beside it.

#include "ui/core/UIDefs.h"

namespace dw::ui {

struct UIHsv {
    double hue = 0.0;         // degrees, 0 <= hue < 360
    double saturation = 0.0;  // 0..1
    double value = 0.0;       // 0..1
};

// Opaque (or the given alpha) ARGB colour of hsv; out-of-range parts are clamped or wrapped.
UIColor HsvToColor(const UIHsv& hsv, uint8_t alpha = 0xFF);
// Hue, saturation and value of the colour's red, green and blue; grey gives hue 0.
UIHsv ColorToHsv(UIColor color);

inline constexpr uint8_t ColorAlpha(UIColor c) { return static_cast<uint8_t>(c >> 24); }
inline constexpr uint8_t ColorRed(UIColor c) { return static_cast<uint8_t>(c >> 16); }
inline constexpr uint8_t ColorGreen(UIColor c) { return static_cast<uint8_t>(c >> 8); }
inline constexpr uint8_t ColorBlue(UIColor c) { return static_cast<uint8_t>(c); }
inline constexpr UIColor MakeColor(uint8_t a, uint8_t r, uint8_t g, uint8_t b)
{
    return (static_cast<UIColor>(a) << 24) | (static_cast<UIColor>(r) << 16) | (static_cast<UIColor>(g) << 8) | b;
}

}  // namespace dw::ui
