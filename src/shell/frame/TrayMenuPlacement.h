#pragma once

// Where the tray menu opens. The menu opens at the pointer; when the desktop has a panel along
// one screen edge (the taskbar), the point is moved off the panel and the menu opens away from
// it. The alignment values are CMenuWnd's alignment bits: which corner of the menu sits at the
// point.
//
// The panel's rectangle comes from the screen: the strip between the screen's edge and its work
// area. A desktop that reserves no strip (many Linux panels float, or auto-hide) gives none;
// the tray icon's own rectangle, as the StatusNotifier host reports it, then stands in: the
// panel is taken to be the strip along the screen edge nearest to the icon, as deep as the icon
// reaches into the screen.

#include <optional>

#include "ui/core/UIDefs.h"

namespace dw {

namespace traymenu {
inline constexpr const wchar_t* kLayout = L"menu.xml";
// Left edge and top edge of the menu at the point: it opens right and down.
inline constexpr ui::UINT kAlignDefault = 6;
// Taskbar at the top: below the panel, opening down and to the left.
inline constexpr ui::UINT kAlignBelowTopPanel = 12;
// Taskbar on the left: right of the panel, opening right and up.
inline constexpr ui::UINT kAlignRightOfLeftPanel = 18;
// Taskbar at the bottom or on the right: opening up and to the left.
inline constexpr ui::UINT kAlignAwayFromBottomOrRightPanel = 24;
// How far above a bottom panel's top the point goes.
inline constexpr int kBottomPanelLift = 20;
}  // namespace traymenu

struct TrayMenuPlacement {
    ui::UIPoint point;
    ui::UINT alignment = traymenu::kAlignDefault;
    friend bool operator==(const TrayMenuPlacement&, const TrayMenuPlacement&) = default;
};

// The placement for the pointer position and the panel's rectangle (screen coordinates). A
// panel at the top or on the left starts at (0, 0): wider than high is the top one, higher than
// wide the left one. A panel with left 0 below the top is the bottom one; one with top 0 right
// of the left edge is the right one. Without a panel, or with one that fits none of these, the
// menu opens at the pointer with the default alignment. The edges are judged relative to
// `screenOrigin`, the top-left corner of the screen the panel is on, so that the rule holds on
// every screen of a desktop spanning several.
TrayMenuPlacement PlaceTrayMenu(ui::UIPoint cursor, const std::optional<ui::UIRect>& panel,
                                ui::UIPoint screenOrigin = {});

// The panel's rectangle for a screen and its work area: the strip the work area leaves free
// along one edge of the screen. Nothing when the work area is the whole screen or is not
// smaller along exactly one edge.
std::optional<ui::UIRect> PanelFromWorkArea(const ui::UIRect& screen, const ui::UIRect& workArea);

// The panel's rectangle taken from the tray icon's rectangle: the strip along the screen edge
// nearest to the icon, from that edge to the icon's far side. Nothing for an empty icon
// rectangle or one outside the screen.
std::optional<ui::UIRect> PanelFromTrayIcon(const ui::UIRect& screen, const ui::UIRect& icon);

}  // namespace dw
