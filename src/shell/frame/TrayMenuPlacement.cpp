#include "shell/frame/TrayMenuPlacement.h"

#include <algorithm>

namespace dw {

TrayMenuPlacement PlaceTrayMenu(ui::UIPoint cursor, const std::optional<ui::UIRect>& panel, ui::UIPoint screenOrigin)
{
    TrayMenuPlacement placement{cursor, traymenu::kAlignDefault};
    if (!panel || panel->IsEmpty())
        return placement;
    ui::UIRect r = *panel;
    r.Offset(-screenOrigin.x, -screenOrigin.y);
    const int width = r.GetWidth();
    const int height = r.GetHeight();
    if (r.left == 0 && r.top == 0 && width > height) {
        placement.point.y = screenOrigin.y + height + 1;
        placement.alignment = traymenu::kAlignBelowTopPanel;
    } else if (r.left == 0 && r.top == 0 && height > width) {
        placement.point.x = screenOrigin.x + width + 1;
        placement.alignment = traymenu::kAlignRightOfLeftPanel;
    } else if (r.left == 0 && r.top > 0) {
        placement.point.y = screenOrigin.y + r.top - traymenu::kBottomPanelLift;
        placement.alignment = traymenu::kAlignAwayFromBottomOrRightPanel;
    } else if (r.left > 0 && r.top == 0) {
        placement.point.x = screenOrigin.x + r.left - 1;
        placement.alignment = traymenu::kAlignAwayFromBottomOrRightPanel;
    }
    return placement;
}

std::optional<ui::UIRect> PanelFromWorkArea(const ui::UIRect& screen, const ui::UIRect& workArea)
{
    if (screen.IsEmpty() || workArea.IsEmpty())
        return std::nullopt;
    const bool top = workArea.top > screen.top;
    const bool bottom = workArea.bottom < screen.bottom;
    const bool left = workArea.left > screen.left;
    const bool right = workArea.right < screen.right;
    if (top + bottom + left + right != 1)
        return std::nullopt;
    if (top)
        return ui::UIRect{screen.left, screen.top, screen.right, workArea.top};
    if (bottom)
        return ui::UIRect{screen.left, workArea.bottom, screen.right, screen.bottom};
    if (left)
        return ui::UIRect{screen.left, screen.top, workArea.left, screen.bottom};
    return ui::UIRect{workArea.right, screen.top, screen.right, screen.bottom};
}

std::optional<ui::UIRect> PanelFromTrayIcon(const ui::UIRect& screen, const ui::UIRect& icon)
{
    const ui::UIRect inside = icon.Intersect(screen);
    if (screen.IsEmpty() || inside.IsEmpty())
        return std::nullopt;
    const int toTop = inside.top - screen.top;
    const int toBottom = screen.bottom - inside.bottom;
    const int toLeft = inside.left - screen.left;
    const int toRight = screen.right - inside.right;
    const int nearest = std::min({toTop, toBottom, toLeft, toRight});
    if (nearest == toBottom)
        return ui::UIRect{screen.left, inside.top, screen.right, screen.bottom};
    if (nearest == toTop)
        return ui::UIRect{screen.left, screen.top, screen.right, inside.bottom};
    if (nearest == toRight)
        return ui::UIRect{inside.left, screen.top, screen.right, screen.bottom};
    return ui::UIRect{screen.left, screen.top, inside.right, screen.bottom};
}

}  // namespace dw
