#include "ui/core/CWindowWnd.h"

#include <algorithm>

#include "ui/core/CMessageLoop.h"
#include "ui/core/UIMessages.h"

namespace dw::ui {

struct CWindowWnd::ModalState {
    UINT result = IDCANCEL;
    bool done = false;
};

CWindowWnd::CWindowWnd() = default;

CWindowWnd::~CWindowWnd()
{
    if (m_hWnd == nullptr)
        return;
    // Deleted while the window exists: remove it without calling into the half-destroyed object.
    if (m_modal != nullptr)
        m_modal->done = true;
    HWND self = m_hWnd;
    m_loop->BeginDestroy(self);
    if (m_host) {
        m_host->Destroy();
        m_host.reset();
    }
    m_loop->UnregisterWindow(self);
}

IUIBackend* CWindowWnd::GetBackend() const
{
    return m_loop == nullptr ? nullptr : &m_loop->GetBackend();
}

bool CWindowWnd::Create(CMessageLoop& loop, HWND parent, const std::wstring& caption, DWORD style, DWORD exStyle,
                        const UIRect& rect)
{
    if (m_hWnd != nullptr)
        return false;
    m_loop = &loop;
    m_hWnd = loop.RegisterWindow(*this, parent);

    WindowCreateParams params;
    params.caption = caption;
    params.rect = rect;
    const bool desktopFrame = (style & WS_POPUP) == 0 && (style & (WS_CAPTION | WS_THICKFRAME)) != 0;
    params.frameless = !desktopFrame;
    params.toolWindow = (exStyle & WS_EX_TOOLWINDOW) != 0;
    params.topMost = (exStyle & WS_EX_TOPMOST) != 0;
    params.owner = loop.IsWindow(parent) ? parent : nullptr;
    m_host = loop.GetBackend().CreateWindowHost(
        *this, params, [this](IRenderContext& context, const UIRect& invalid) { PaintWindow(context, invalid); });
    if (!m_host) {
        loop.UnregisterWindow(m_hWnd);
        m_hWnd = nullptr;
        return false;
    }
    if (HandleMessage(WM_CREATE, 0, 0) == -1) {
        DestroyWindow();
        return false;
    }
    if (m_hWnd == nullptr)
        return false;
    if ((style & WS_DISABLED) != 0)
        loop.EnableWindow(m_hWnd, false);
    if ((style & WS_VISIBLE) != 0)
        ShowWindow(true, (exStyle & WS_EX_NOACTIVATE) == 0);
    return true;
}

void CWindowWnd::DestroyWindow()
{
    if (m_hWnd == nullptr || m_destroying)
        return;
    m_destroying = true;
    CMessageLoop& loop = *m_loop;
    HWND self = m_hWnd;
    for (HWND owned : loop.GetOwnedWindows(self)) {
        if (CWindowWnd* window = loop.FromHandle(owned))
            window->DestroyWindow();
    }
    loop.BeginDestroy(self);
    HandleMessage(WM_DESTROY, 0, 0);
    if (m_host) {
        m_host->Destroy();
        m_host.reset();
    }
    HandleMessage(WM_NCDESTROY, 0, 0);
    loop.UnregisterWindow(self);
    m_hWnd = nullptr;
    m_destroying = false;
    if (m_modal != nullptr) {
        m_modal->done = true;
        m_modal = nullptr;
    }
    OnFinalMessage(self);
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus)
{
    if (!m_host)
        return;
    if (!show)
        m_host->Show(ShowCommand::Hide);
    else
        m_host->Show(takeFocus ? ShowCommand::Show : ShowCommand::ShowNoActivate);
}

void CWindowWnd::ShowWindowCommand(int command)
{
    if (!m_host)
        return;
    switch (command) {
    case SW_HIDE:
        m_host->Show(ShowCommand::Hide);
        break;
    case SW_SHOWNOACTIVATE:
        m_host->Show(ShowCommand::ShowNoActivate);
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        m_host->Show(ShowCommand::Minimize);
        break;
    case SW_SHOWMAXIMIZED:
        m_host->Show(ShowCommand::Maximize);
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        m_host->Show(ShowCommand::Restore);
        break;
    default:
        m_host->Show(ShowCommand::Show);
        break;
    }
}

UINT CWindowWnd::ShowModal()
{
    if (m_hWnd == nullptr)
        return IDCANCEL;
    // Only locals after the loop: the object may be gone by then.
    CMessageLoop& loop = *m_loop;
    const HWND self = m_hWnd;
    const HWND owner = loop.GetOwner(self);
    const bool ownerWasEnabled = owner != nullptr && loop.IsWindowEnabled(owner);
    ModalState state;
    m_modal = &state;
    if (ownerWasEnabled)
        loop.EnableWindow(owner, false);
    ShowWindow(true, true);

    loop.RunUntil([&] { return state.done || !loop.IsWindow(self); });

    if (ownerWasEnabled && loop.IsWindow(owner)) {
        loop.EnableWindow(owner, true);
        CWindowWnd* ownerWindow = loop.FromHandle(owner);
        if (ownerWindow != nullptr && ownerWindow->IsWindowVisible() && ownerWindow->GetHost() != nullptr)
            ownerWindow->GetHost()->Activate();
    }
    // A quit ended the loop while the window still exists: it is no longer modal.
    if (loop.IsWindow(self))
        m_modal = nullptr;
    return state.result;
}

void CWindowWnd::Close(UINT result)
{
    if (m_hWnd == nullptr)
        return;
    if (m_modal != nullptr)
        m_modal->result = result;
    PostMessage(WM_CLOSE, result, 0);
}

void CWindowWnd::CenterWindow()
{
    if (!m_host)
        return;
    const UIRect rc = m_host->GetRect();
    const UIPoint middle{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    UIRect area = m_loop->GetBackend().GetScreenWorkArea(middle);
    UIRect centreOn = area;
    const HWND owner = m_loop->GetOwner(m_hWnd);
    if (CWindowWnd* ownerWindow = m_loop->FromHandle(owner);
        ownerWindow != nullptr && ownerWindow->IsWindowVisible() && !ownerWindow->IsIconic()) {
        centreOn = ownerWindow->GetWindowRect();
        const UIPoint ownerMiddle{(centreOn.left + centreOn.right) / 2, (centreOn.top + centreOn.bottom) / 2};
        area = m_loop->GetBackend().GetScreenWorkArea(ownerMiddle);
    }
    const int width = rc.GetWidth();
    const int height = rc.GetHeight();
    int left = centreOn.left + (centreOn.GetWidth() - width) / 2;
    int top = centreOn.top + (centreOn.GetHeight() - height) / 2;
    // Keep the window on its screen when it fits there.
    if (!area.IsEmpty()) {
        left = std::max(area.left, std::min(left, area.right - width));
        top = std::max(area.top, std::min(top, area.bottom - height));
    }
    m_host->SetRect({left, top, left + width, top + height});
}

void CWindowWnd::SetIcon(const std::wstring& imagePath)
{
    if (m_host)
        m_host->SetIcon(imagePath);
}

void CWindowWnd::SetTopMost(bool topMost)
{
    if (m_host)
        m_host->SetTopMost(topMost);
}

void CWindowWnd::SetCaption(const std::wstring& caption)
{
    if (m_host)
        m_host->SetCaption(caption);
}

bool CWindowWnd::IsWindowVisible() const
{
    return m_host && m_host->IsVisible();
}

bool CWindowWnd::IsIconic() const
{
    return m_host && m_host->IsMinimized();
}

bool CWindowWnd::IsZoomed() const
{
    return m_host && m_host->IsMaximized();
}

void CWindowWnd::EnableWindow(bool enable)
{
    if (m_hWnd != nullptr)
        m_loop->EnableWindow(m_hWnd, enable);
}

bool CWindowWnd::IsWindowEnabled() const
{
    return m_hWnd != nullptr && m_loop->IsWindowEnabled(m_hWnd);
}

UIRect CWindowWnd::GetWindowRect() const
{
    return m_host ? m_host->GetRect() : UIRect{};
}

void CWindowWnd::MoveWindow(const UIRect& screenRect)
{
    if (m_host)
        m_host->SetRect(screenRect);
}

void CWindowWnd::ResizeClient(int width, int height)
{
    if (!m_host)
        return;
    const UIRect rc = m_host->GetRect();
    m_host->SetRect({rc.left, rc.top, rc.left + width, rc.top + height});
}

LRESULT CWindowWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return m_hWnd == nullptr ? 0 : m_loop->SendMessage(m_hWnd, msg, wParam, lParam);
}

void CWindowWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_hWnd != nullptr)
        m_loop->PostMessage(m_hWnd, msg, wParam, lParam);
}

bool CWindowWnd::SetTimer(UINT id, UINT elapseMs)
{
    return m_hWnd != nullptr && m_loop->SetTimer(m_hWnd, id, elapseMs);
}

void CWindowWnd::KillTimer(UINT id)
{
    if (m_hWnd != nullptr)
        m_loop->KillTimer(m_hWnd, id);
}

UIRect CWindowWnd::GetClientRect() const
{
    if (!m_host)
        return {};
    const UIRect rc = m_host->GetRect();
    return {0, 0, rc.GetWidth(), rc.GetHeight()};
}

void CWindowWnd::Invalidate(const UIRect& rc)
{
    if (m_host)
        m_host->Invalidate(rc);
}

void CWindowWnd::SetCapture(bool capture)
{
    if (m_host)
        m_host->SetCapture(capture);
}

void CWindowWnd::SetCursor(CursorShape shape)
{
    if (m_host)
        m_host->SetCursor(shape);
}

void CWindowWnd::SetImeCursorRect(const UIRect& rc)
{
    if (m_host)
        m_host->SetImeCursorRect(rc);
}

LRESULT CWindowWnd::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(msg, wParam, lParam);
}

bool CWindowWnd::IsInputMessage(UINT msg)
{
    return (msg >= WM_MOUSEMOVE && msg <= WM_MOUSEWHEEL) || (msg >= WM_KEYDOWN && msg <= WM_SYSKEYUP) ||
           msg == WM_IME_COMPOSITION;
}

LRESULT CWindowWnd::DeliverHostMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_hWnd == nullptr)
        return 0;
    if (IsInputMessage(msg) && !m_loop->IsWindowEnabled(m_hWnd)) {
        // The user reaches for a window that a modal window blocks: bring the modal one forward.
        if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN) {
            for (HWND owned : m_loop->GetOwnedWindows(m_hWnd)) {
                CWindowWnd* window = m_loop->FromHandle(owned);
                if (window != nullptr && window->IsWindowVisible() && window->GetHost() != nullptr)
                    window->GetHost()->Activate();
            }
        }
        return 0;
    }
    return HandleMessage(msg, wParam, lParam);
}

void CWindowWnd::OnFinalMessage(HWND /*hwnd*/) {}

void CWindowWnd::PaintWindow(IRenderContext& /*context*/, const UIRect& /*invalid*/) {}

LRESULT CWindowWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM /*lParam*/)
{
    switch (msg) {
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
            ShowWindowCommand(SW_MINIMIZE);
            break;
        case SC_MAXIMIZE:
            ShowWindowCommand(SW_SHOWMAXIMIZED);
            break;
        case SC_RESTORE:
            ShowWindowCommand(SW_RESTORE);
            break;
        case SC_CLOSE:
            SendMessage(WM_CLOSE, 0, 0);
            break;
        default:
            break;
        }
        return 0;
    case WM_NCHITTEST:
        return HTCLIENT;
    default:
        return 0;
    }
}

}  // namespace dw::ui
