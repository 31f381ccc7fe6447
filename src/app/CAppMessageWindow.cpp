#include "app/CAppMessageWindow.h"

#include "ui/core/UIMessages.h"

namespace dw::app {

bool CAppMessageWindow::Create(ui::CMessageLoop& loop)
{
    // No WS_VISIBLE: the window is never shown. A tool window has no taskbar entry.
    return CWindowWnd::Create(loop, nullptr, L"", ui::WS_POPUP, ui::WS_EX_TOOLWINDOW, {0, 0, 1, 1});
}

void CAppMessageWindow::SetMessageHandler(ui::UINT msg, Handler handler)
{
    if (handler)
        m_handlers[msg] = std::move(handler);
    else
        m_handlers.erase(msg);
}

bool CAppMessageWindow::StartTimer(ui::UINT id, ui::UINT periodMs, TimerHandler handler)
{
    m_timers[id] = std::move(handler);
    return SetTimer(id, periodMs);
}

void CAppMessageWindow::StopTimer(ui::UINT id)
{
    KillTimer(id);
    m_timers.erase(id);
}

ui::LRESULT CAppMessageWindow::HandleMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam)
{
    if (msg == ui::WM_TIMER) {
        auto timer = m_timers.find(static_cast<ui::UINT>(wParam));
        if (timer != m_timers.end()) {
            // The handler may stop its own timer; keep a copy alive while it runs.
            const TimerHandler handler = timer->second;
            handler();
        }
        return 0;
    }
    auto handler = m_handlers.find(msg);
    if (handler != m_handlers.end())
        return handler->second(wParam, lParam);
    return CWindowWnd::HandleMessage(msg, wParam, lParam);
}

}  // namespace dw::app
