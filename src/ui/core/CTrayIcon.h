#pragma once

// The notification-area icon of a window. Clicks reach the owner window as its callback message
// (posted): wParam = kTrayIconId, lParam = WM_LBUTTONUP for a left click, WM_RBUTTONUP for a
// right click, WM_LBUTTONDBLCLK for a double click. The screen point of the last click is kept
// for placing the tray menu.

#include <memory>
#include <optional>
#include <string>

#include "ui/core/IUIBackend.h"
#include "ui/core/UIMessages.h"

namespace dw::ui {

class CMessageLoop;

class CTrayIcon {
public:
    static constexpr UINT kDefaultCallbackMessage = WM_USER + 1;
    static constexpr WPARAM kTrayIconId = 1;

    CTrayIcon() = default;
    ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // Shows the icon; false when the backend has no tray (the program goes on without one).
    bool CreateTrayIcon(CMessageLoop& loop, HWND owner, const std::wstring& iconPath, const std::wstring& toolTip,
                        UINT callbackMessage = kDefaultCallbackMessage);
    void DeleteTrayIcon();
    bool IsCreated() const { return m_icon != nullptr; }
    void SetIcon(const std::wstring& iconPath);
    void SetToolTipText(const std::wstring& toolTip);
    void SetShowIcon(bool show);
    UIPoint GetLastClickPoint() const { return m_lastClick; }
    std::optional<UIRect> GetGeometry() const;

private:
    std::unique_ptr<ITrayIcon> m_icon;
    UIPoint m_lastClick;
};

}  // namespace dw::ui
