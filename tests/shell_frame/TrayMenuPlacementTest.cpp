// Where the tray menu opens for each position of the desktop's panel, and how the panel is
// found from the work area or from the tray icon.

#include <gtest/gtest.h>

#include "shell/frame/TrayMenuPlacement.h"

namespace dw::ui {
inline void PrintTo(const UIRect& rc, std::ostream* os)
{
    *os << "{" << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom << "}";
}
}  // namespace dw::ui

namespace dw {
namespace {

using ui::UIPoint;
using ui::UIRect;

TEST(TrayMenuPlacement, PanelRule)
{
    struct Case {
        const char* name;
        std::optional<UIRect> panel;
        UIPoint origin;
        TrayMenuPlacement expected;
    };
    const UIPoint cursor{1800, 1060};
    const Case cases[] = {
        {"no panel", std::nullopt, {}, {cursor, 6}},
        {"bottom of a 1080-pixel screen, top at 1040", UIRect{0, 1040, 1920, 1080}, {}, {{1800, 1020}, 24}},
        {"top", UIRect{0, 0, 1920, 32}, {}, {{1800, 33}, 12}},
        {"left", UIRect{0, 0, 48, 1080}, {}, {{49, 1060}, 18}},
        {"right", UIRect{1872, 0, 1920, 1080}, {}, {{1871, 1060}, 24}},
        {"a square at the origin fits no rule", UIRect{0, 0, 40, 40}, {}, {cursor, 6}},
        {"floating panel fits no rule", UIRect{100, 1000, 1800, 1040}, {}, {cursor, 6}},
        {"bottom of a second screen", UIRect{1920, 1040, 3840, 1080}, {1920, 0}, {{1800, 1020}, 24}},
        {"top of a second screen", UIRect{1920, 0, 3840, 32}, {1920, 0}, {{1800, 33}, 12}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceTrayMenu(cursor, c.panel, c.origin), c.expected) << c.name;
}

TEST(TrayMenuPlacement, PanelFromWorkArea)
{
    const UIRect screen{0, 0, 1920, 1080};
    struct Case {
        const char* name;
        UIRect work;
        std::optional<UIRect> panel;
    };
    const Case cases[] = {
        {"bottom", {0, 0, 1920, 1040}, UIRect{0, 1040, 1920, 1080}},
        {"top", {0, 32, 1920, 1080}, UIRect{0, 0, 1920, 32}},
        {"left", {64, 0, 1920, 1080}, UIRect{0, 0, 64, 1080}},
        {"right", {0, 0, 1856, 1080}, UIRect{1856, 0, 1920, 1080}},
        {"none", {0, 0, 1920, 1080}, std::nullopt},
        {"two panels: not one strip", {0, 32, 1920, 1040}, std::nullopt},
        {"empty work area", {}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PanelFromWorkArea(screen, c.work), c.panel) << c.name;
}

TEST(TrayMenuPlacement, PanelFromTrayIcon)
{
    const UIRect screen{0, 0, 1920, 1080};
    EXPECT_EQ(PanelFromTrayIcon(screen, {1800, 1050, 1824, 1074}), (UIRect{0, 1050, 1920, 1080}));
    EXPECT_EQ(PanelFromTrayIcon(screen, {1800, 4, 1824, 28}), (UIRect{0, 0, 1920, 28}));
    EXPECT_EQ(PanelFromTrayIcon(screen, {8, 500, 32, 524}), (UIRect{0, 0, 32, 1080}));
    EXPECT_EQ(PanelFromTrayIcon(screen, {1890, 500, 1914, 524}), (UIRect{1890, 0, 1920, 1080}));
    EXPECT_EQ(PanelFromTrayIcon(screen, {}), std::nullopt);
    EXPECT_EQ(PanelFromTrayIcon(screen, {3000, 10, 3024, 34}), std::nullopt);
    // The derived panel leads to the rule's placement: a bottom tray icon lifts the menu.
    const auto panel = PanelFromTrayIcon(screen, {1800, 1050, 1824, 1074});
    EXPECT_EQ(PlaceTrayMenu({1810, 1060}, panel), (TrayMenuPlacement{{1810, 1030}, 24}));
}

}  // namespace
}  // namespace dw
