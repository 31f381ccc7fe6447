#include "ui/core/WindowImplBase.h"

#include <cwctype>

#include "ui/core/CControlUI.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/UIDebug.h"
#include "ui/core/UIMessages.h"

namespace dw::ui {

namespace {

bool NameIs(const CControlUI* control, std::wstring_view name)
{
    if (control == nullptr)
        return false;
    const std::wstring& own = control->GetName();
    if (own.size() != name.size())
        return false;
    for (size_t i = 0; i < own.size(); ++i)
        if (std::towlower(own[i]) != std::towlower(name[i]))
            return false;
    return true;
}

}  // namespace

WindowImplBase::WindowImplBase()
{
    OnNotify(notify::kClick, [this](TNotifyUI& msg) { OnClick(msg); });
}

WindowImplBase::~WindowImplBase()
{
    m_pm.RemoveNotifier(this);
    m_pm.RemovePreMessageFilter(this);
}

void WindowImplBase::Notify(TNotifyUI& msg)
{
    NotifyPump(msg);
}

CControlUI* WindowImplBase::CreateControl(const std::wstring& /*className*/)
{
    return nullptr;
}

LRESULT WindowImplBase::MessageHandler(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/, bool& handled)
{
    handled = false;
    return 0;
}

void WindowImplBase::OnClick(TNotifyUI& msg)
{
    if (NameIs(msg.pSender, L"closebtn"))
        Close();
    else if (NameIs(msg.pSender, L"minbtn"))
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    else if (NameIs(msg.pSender, L"maxbtn"))
        SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    else if (NameIs(msg.pSender, L"restorebtn"))
        SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
}

void WindowImplBase::OnFinalMessage(HWND /*hwnd*/)
{
    m_pm.RemoveNotifier(this);
    m_pm.RemovePreMessageFilter(this);
}

void WindowImplBase::PaintWindow(IRenderContext& context, const UIRect& invalid)
{
    m_pm.Paint(context, invalid);
}

LRESULT WindowImplBase::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    bool handled = true;
    switch (msg) {
    case WM_CREATE:
        result = OnCreate(msg, wParam, lParam, handled);
        break;
    case WM_CLOSE:
        result = OnClose(msg, wParam, lParam, handled);
        break;
    case WM_DESTROY:
        result = OnDestroy(msg, wParam, lParam, handled);
        break;
    case WM_SIZE:
        result = OnSize(msg, wParam, lParam, handled);
        break;
    case WM_GETMINMAXINFO:
        result = OnGetMinMaxInfo(msg, wParam, lParam, handled);
        break;
    case WM_NCHITTEST:
        result = OnNcHitTest(msg, wParam, lParam, handled);
        break;
    case WM_SYSCOMMAND:
        result = OnSysCommand(msg, wParam, lParam, handled);
        break;
    case WM_KEYDOWN:
        result = OnKeyDown(msg, wParam, lParam, handled);
        break;
    case WM_KILLFOCUS:
        result = OnKillFocus(msg, wParam, lParam, handled);
        break;
    case WM_SETFOCUS:
        result = OnSetFocus(msg, wParam, lParam, handled);
        break;
    case WM_LBUTTONDOWN:
        if (TryCaptionDrag(lParam))
            return 0;
        result = OnLButtonDown(msg, wParam, lParam, handled);
        break;
    case WM_LBUTTONUP:
        result = OnLButtonUp(msg, wParam, lParam, handled);
        break;
    case WM_MOUSEMOVE:
        result = OnMouseMove(msg, wParam, lParam, handled);
        break;
    case WM_MOUSEHOVER:
        result = OnMouseHover(msg, wParam, lParam, handled);
        break;
    case WM_TIMER:
        result = OnTimer(msg, wParam, lParam, handled);
        break;
    default:
        handled = false;
        break;
    }
    if (handled)
        return result;
    result = HandleCustomMessage(msg, wParam, lParam, handled);
    if (handled)
        return result;
    // The window may be gone now (a handler destroyed it); nothing of it is touched then.
    if (GetHWND() == nullptr && msg != WM_NCDESTROY && msg != WM_DESTROY)
        return result;
    if (m_pm.GetPaintWindow() != nullptr) {
        if (m_pm.PreMessageHandler(msg, wParam, lParam, result))
            return result;
        if (m_pm.MessageHandler(msg, wParam, lParam, result))
            return result;
    }
    return CWindowWnd::HandleMessage(msg, wParam, lParam);
}

LRESULT WindowImplBase::HandleCustomMessage(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnCreate(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/, bool& handled)
{
    handled = true;
    IUIBackend* backend = GetBackend();
    if (backend == nullptr)
        return -1;
    m_pm.Init(GetHWND(), *backend, *this, GetWindowClassName());
    m_pm.AddPreMessageFilter(this);
    const std::wstring folder = GetSkinFolder();
    if (!folder.empty())
        CPaintManagerUI::SetResourcePath(CPaintManagerUI::GetInstancePath() + folder);

    CDialogBuilder builder;
    CControlUI* root = builder.Create(GetSkinFile(), GetSkinType(), this, &m_pm);
    for (const UIBuilderError& error : builder.GetErrors())
        UIDebugOutput(error.file + L":" + std::to_wstring(error.line) + L": " + error.message);
    if (root == nullptr) {
        UIDebugOutput(L"window " + GetWindowClassName() + L": the skin '" + GetSkinFile() + L"' could not be built");
        return -1;
    }
    m_pm.AttachDialog(root);
    m_pm.AddNotifier(this);
    ApplyWindowProperties();
    InitWindow();
    return 0;
}

void WindowImplBase::ApplyWindowProperties()
{
    IWindowHost* host = GetHost();
    if (host == nullptr)
        return;
    const UISize size = m_pm.GetInitSize();
    if (size.cx > 0 && size.cy > 0)
        ResizeClient(size.cx, size.cy);
    const UISize minimum = m_pm.GetMinInfo();
    if (minimum.cx > 0 || minimum.cy > 0)
        host->SetMinSize(minimum);
    const UISize round = m_pm.GetRoundCorner();
    if (round.cx > 0)
        host->SetRoundCorner(round.cx);
    if (m_pm.IsLayered())
        host->SetTranslucent(true);
}

LRESULT WindowImplBase::OnClose(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnSize(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnGetMinMaxInfo(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnNcHitTest(UINT, WPARAM, LPARAM lParam, bool& handled)
{
    handled = true;
    if (IsZoomed())
        return HTCLIENT;
    const UIPoint pt{GetXLParam(lParam), GetYLParam(lParam)};
    return m_pm.GetPaintWindow() != nullptr && m_pm.IsCaptionPoint(pt) ? HTCAPTION : HTCLIENT;
}

LRESULT WindowImplBase::OnSysCommand(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnKeyDown(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnKillFocus(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnSetFocus(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnLButtonDown(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnLButtonUp(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnMouseMove(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnMouseHover(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

LRESULT WindowImplBase::OnTimer(UINT, WPARAM, LPARAM, bool& handled)
{
    handled = false;
    return 0;
}

bool WindowImplBase::TryCaptionDrag(LPARAM lParam)
{
    bool handled = false;
    const LRESULT hit = OnNcHitTest(WM_NCHITTEST, 0, lParam, handled);
    if (hit != HTCAPTION || GetHost() == nullptr)
        return false;
    GetHost()->BeginSystemMove();
    return true;
}

}  // namespace dw::ui
