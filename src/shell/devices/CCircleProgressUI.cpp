#include "shell/devices/CCircleProgressUI.h"

#include <algorithm>

#include "ui/core/CPaintManagerUI.h"
#include "ui/core/IRenderContext.h"

namespace dw {

namespace {

constexpr ui::UIColor kCentreColour = 0xFFFFFFFF;
constexpr double kFullTurn = 360.0;

}  // namespace

std::wstring CCircleProgressUI::GetClass() const
{
    return kClassName;
}

void* CCircleProgressUI::GetInterface(std::wstring_view name)
{
    if (name == kClassName)
        return this;
    return CProgressUI::GetInterface(name);
}

double CCircleProgressUI::SweepDegrees() const
{
    const int range = GetMaxValue() - GetMinValue();
    if (range <= 0)
        return 0.0;
    return std::clamp(static_cast<double>(GetValue()) / range, 0.0, 1.0) * kFullTurn;
}

void CCircleProgressUI::PaintBkColor(ui::IRenderContext& context)
{
    if (GetBkColor() != 0)
        context.FillEllipse(GetPos(), GetBkColor());
}

void CCircleProgressUI::PaintStatusImage(ui::IRenderContext& context)
{
    const ui::UIRect& rc = GetPos();
    const int radius = std::min(rc.GetWidth(), rc.GetHeight()) / 2;
    const double sweep = SweepDegrees();
    if (radius > 0 && sweep > 0.0 && GetForeColor() != 0) {
        // A pie drawn as an arc as thick as the radius, on the circle halfway to the centre.
        const int half = radius / 2;
        ui::UIRect pie = rc;
        pie.left += half;
        pie.top += half;
        pie.right -= half;
        pie.bottom -= half;
        context.DrawArc(pie, kStartDegrees, sweep, radius + 1, GetForeColor());
    }
    const int inset = GetManager() != nullptr ? GetManager()->Scale(kCentreInset) : kCentreInset;
    ui::UIRect centre = rc;
    centre.left += inset;
    centre.top += inset;
    centre.right -= inset;
    centre.bottom -= inset;
    if (centre.GetWidth() > 0 && centre.GetHeight() > 0)
        context.FillEllipse(centre, kCentreColour);
}

}  // namespace dw
