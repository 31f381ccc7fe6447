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
        // A pie drawn as an arc whose stroke reaches from the rim to the centre.
        const int centreX = (rc.left + rc.right) / 2;
        const int centreY = (rc.top + rc.bottom) / 2;
        const ui::UIRect disc{centreX - radius, centreY - radius, centreX + radius, centreY + radius};
        context.DrawArc(disc, kStartDegrees, sweep, radius, GetForeColor());
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
