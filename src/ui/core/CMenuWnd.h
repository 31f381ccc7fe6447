#pragma once

// A pop-up menu built from a menu layout:
//
//     <Menu width="160">
//       <MenuElement name="setwnd_menu" text="menu_settings" height="30" />
//       <MenuElement name="exit" text="menu_exit" />
//     </Menu>
//
// (a <Window> around <Menu> may set the size and fonts). MenuElement takes the attributes of a
// button. The menu opens at a point with an alignment, takes the focus, and closes when it loses
// activation, on Escape, or when an item is chosen.
//
// A chosen item is reported to the owner window with a posted WM_MENUCLICK (1145):
// wParam = const std::wstring* holding the item's name, valid only while the message is handled
// (the loop owns the string; copy it to keep it), lParam = 0.
//
// The object is owned by whoever created it; destroying it closes the menu. It may be kept after
// its window has closed and initialised again.

#include <memory>
#include <string>

#include "ui/core/WindowImplBase.h"

namespace dw::ui {

class CMenuWnd : public WindowImplBase {
public:
    // Alignment bits: which edges of the menu sit at the point. Left: the menu's left edge (it
    // opens to the right); Right: its right edge (opens to the left); Top: its top edge (opens
    // downwards); Bottom: its bottom edge (opens upwards). Without a horizontal bit Left holds,
    // without a vertical bit Top.
    static constexpr UINT kAlignLeft = 1 << 1;
    static constexpr UINT kAlignTop = 1 << 2;
    static constexpr UINT kAlignRight = 1 << 3;
    static constexpr UINT kAlignBottom = 1 << 4;

    static constexpr int kDefaultWidth = 160;
    static constexpr int kDefaultItemHeight = 30;

    CMenuWnd() = default;

    // Builds the menu from the layout (resource identifier, skin file or XML text) and shows it
    // with the point in screen coordinates. False when the layout cannot be built.
    bool Init(CMessageLoop& loop, HWND owner, const std::wstring& xml, UIPoint point, UINT alignment = kAlignLeft | kAlignTop);
    bool Init(CWindowWnd& owner, const std::wstring& xml, UIPoint point, UINT alignment = kAlignLeft | kAlignTop);

    // Where a menu of the size goes for the point and alignment, kept on the work area.
    static UIRect PlaceMenu(UIPoint point, UINT alignment, UISize size, const UIRect& workArea);

    void Notify(TNotifyUI& msg) override;
    CControlUI* CreateControl(const std::wstring& className) override;
    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

protected:
    std::wstring GetWindowClassName() const override { return L"DwMenuWnd"; }
    std::wstring GetSkinFile() override { return m_xml; }

private:
    UISize MeasureMenu();

    std::wstring m_xml;
    HWND m_owner = nullptr;
    bool m_chosen = false;
};

}  // namespace dw::ui
