#include "shell/devices/CDeviceListMailbox.h"

#include "ui/core/CMessageLoop.h"
#include "ui/core/UIMessages.h"
#include "ui/core/UIWindowStyles.h"

namespace dw {

bool CDeviceListMailbox::Create(ui::CMessageLoop& loop, Handler handler)
{
    m_handler = std::move(handler);
    m_loop = &loop;
    if (!CWindowWnd::Create(loop, nullptr, L"", ui::WS_POPUP, ui::WS_EX_TOOLWINDOW, {0, 0, 1, 1}))
        return false;
    m_hwnd = GetHWND();
    return true;
}

bool CDeviceListMailbox::Post(ui::WPARAM wParam, ui::LPARAM lParam)
{
    return m_loop != nullptr && m_hwnd != nullptr && m_loop->PostMessage(m_hwnd, kMsgDeviceNotification, wParam, lParam);
}

ui::LRESULT CDeviceListMailbox::HandleMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam)
{
    if (msg == kMsgDeviceNotification) {
        if (m_handler)
            m_handler(wParam, lParam);
        return 0;
    }
    return CWindowWnd::HandleMessage(msg, wParam, lParam);
}

}  // namespace dw
