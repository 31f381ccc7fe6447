#include "ui/core/CTrayIcon.h"

#include "ui/core/CMessageLoop.h"

namespace dw::ui {

CTrayIcon::~CTrayIcon()
{
    DeleteTrayIcon();
}

bool CTrayIcon::CreateTrayIcon(CMessageLoop& loop, HWND owner, const std::wstring& iconPath,
                               const std::wstring& toolTip, UINT callbackMessage)
{
    DeleteTrayIcon();
    m_icon = loop.GetBackend().CreateTrayIcon([this, &loop, owner, callbackMessage](TrayEvent event, UIPoint pt) {
        m_lastClick = pt;
        LPARAM what = WM_LBUTTONUP;
        if (event == TrayEvent::RightClick)
            what = WM_RBUTTONUP;
        else if (event == TrayEvent::DoubleClick)
            what = WM_LBUTTONDBLCLK;
        loop.PostMessage(owner, callbackMessage, kTrayIconId, what);
    });
    if (!m_icon)
        return false;
    m_icon->SetIcon(iconPath);
    m_icon->SetToolTip(toolTip);
    m_icon->SetVisible(true);
    return true;
}

void CTrayIcon::DeleteTrayIcon()
{
    if (!m_icon)
        return;
    m_icon->SetVisible(false);
    m_icon.reset();
}

void CTrayIcon::SetIcon(const std::wstring& iconPath)
{
    if (m_icon)
        m_icon->SetIcon(iconPath);
}

void CTrayIcon::SetToolTipText(const std::wstring& toolTip)
{
    if (m_icon)
        m_icon->SetToolTip(toolTip);
}

void CTrayIcon::SetShowIcon(bool show)
{
    if (m_icon)
        m_icon->SetVisible(show);
}

std::optional<UIRect> CTrayIcon::GetGeometry() const
{
    return m_icon ? m_icon->GetGeometry() : std::nullopt;
}

}  // namespace dw::ui
