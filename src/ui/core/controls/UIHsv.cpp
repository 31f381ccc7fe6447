#include "ui/core/controls/UIHsv.h"

#include <algorithm>
#include <cmath>

namespace dw::ui {

namespace {

uint8_t ToByte(double unit)
{
    return static_cast<uint8_t>(std::lround(std::clamp(unit, 0.0, 1.0) * 255.0));
}

}  // namespace

UIColor HsvToColor(const UIHsv& hsv, uint8_t alpha)
{
    double hue = std::fmod(hsv.hue, 360.0);
    if (hue < 0.0 || std::isnan(hue))
        hue = std::isnan(hue) ? 0.0 : hue + 360.0;
    const double s = std::clamp(std::isnan(hsv.saturation) ? 0.0 : hsv.saturation, 0.0, 1.0);
    const double v = std::clamp(std::isnan(hsv.value) ? 0.0 : hsv.value, 0.0, 1.0);

    const double chroma = v * s;
    const double sector = hue / 60.0;
    const double x = chroma * (1.0 - std::fabs(std::fmod(sector, 2.0) - 1.0));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(sector) % 6) {
    case 0: r = chroma; g = x; break;
    case 1: r = x; g = chroma; break;
    case 2: g = chroma; b = x; break;
    case 3: g = x; b = chroma; break;
    case 4: r = x; b = chroma; break;
    default: r = chroma; b = x; break;
    }
    const double m = v - chroma;
    return MakeColor(alpha, ToByte(r + m), ToByte(g + m), ToByte(b + m));
}

UIHsv ColorToHsv(UIColor color)
{
    const double r = ColorRed(color) / 255.0;
    const double g = ColorGreen(color) / 255.0;
    const double b = ColorBlue(color) / 255.0;
    const double maxc = std::max({r, g, b});
    const double minc = std::min({r, g, b});
    const double delta = maxc - minc;

    UIHsv hsv;
    hsv.value = maxc;
    hsv.saturation = maxc > 0.0 ? delta / maxc : 0.0;
    if (delta > 0.0) {
        double h;
        if (maxc == r)
            h = std::fmod((g - b) / delta, 6.0);
        else if (maxc == g)
            h = (b - r) / delta + 2.0;
        else
            h = (r - g) / delta + 4.0;
        h *= 60.0;
        if (h < 0.0)
            h += 360.0;
        hsv.hue = h >= 360.0 ? 0.0 : h;
    }
    return hsv;
}

}  // namespace dw::ui
