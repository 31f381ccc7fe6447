#include "shell/frame/CMsgWnd.h"

#include "platform/DebugOutput.h"
#include "shell/frame/ShellFrameMessages.h"
#include "ui/core/CControlUI.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/UIString.h"
#include "ui/core/UIWindowStyles.h"

namespace dw {

namespace {

bool NameIs(const ui::CControlUI* control, const wchar_t* name)
{
    return control != nullptr && ui::EqualsNoCase(control->GetName(), name);
}

}  // namespace

void CMsgWnd::InitWindow()
{
    m_closeButton = m_pm.FindControl(shellframe::name::kCloseButton);
    for (const wchar_t* required : {msgbox::kTextControl, msgbox::kConfirmButton}) {
        if (m_pm.FindControl(required) == nullptr)
            DebugOutput(std::wstring(L"MSG_WND: the layout has no control named ") + required);
    }
}

void CMsgWnd::SetTitle(const std::wstring& title)
{
    if (title.empty())
        return;
    if (ui::CControlUI* control = m_pm.FindControl(msgbox::kTitleControl))
        control->SetText(title);
}

void CMsgWnd::SetText(const std::wstring& text, bool isLanguageKey)
{
    ui::CControlUI* control = m_pm.FindControl(msgbox::kTextControl);
    if (control == nullptr)
        return;
    // The key is set after the switch, so the control never shows the key as plain text.
    control->SetResourceText(isLanguageKey);
    control->SetText(text);
}

void CMsgWnd::SetDpi(int dpi)
{
    const int valid = shellframe::ValidDpiOrDefault(dpi);
    if (valid != dpi)
        DebugOutput(L"MSG_WND DPI SET ERROR");
    m_dpi = valid;
    ui::CPaintManagerUI::SetAllDPI(valid);
    const ui::UISize size = m_pm.GetInitSize();
    if (size.cx > 0 && size.cy > 0)
        ResizeClient(size.cx, size.cy);
}

void CMsgWnd::SetButtons(int buttons)
{
    ui::CControlUI* confirm = m_pm.FindControl(msgbox::kConfirmButton);
    ui::CControlUI* cancel = m_pm.FindControl(msgbox::kCancelButton);
    if (buttons != msgbox::kButtonsConfirmOnly && buttons != msgbox::kButtonsConfirmCancel)
        return;
    if (confirm != nullptr)
        confirm->SetVisible(true);
    if (cancel != nullptr)
        cancel->SetVisible(buttons == msgbox::kButtonsConfirmCancel);
}

void CMsgWnd::OnClick(ui::TNotifyUI& msg)
{
    if (msg.pSender != nullptr && msg.pSender == m_closeButton) {
        Close(msgbox::kCancelled);
    } else if (NameIs(msg.pSender, msgbox::kConfirmButton)) {
        Close(msgbox::kConfirmed);
    } else if (NameIs(msg.pSender, msgbox::kCancelButton)) {
        Close(msgbox::kCancelled);
    } else {
        // The minimise, maximise and restore buttons, when the skin has them.
        WindowImplBase::OnClick(msg);
    }
}

ui::LRESULT CMsgWnd::HandleCustomMessage(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam, bool& handled)
{
    if (msg == shellframe::kMsgDpiChanged) {
        OnDpiChanged(wParam, lParam);
        handled = true;
        return 0;
    }
    handled = false;
    return 0;
}

void CMsgWnd::OnDpiChanged(ui::WPARAM wParam, ui::LPARAM lParam)
{
    m_pm.SetDPI(static_cast<int>(wParam & 0xFFFF));
    m_pm.ResetDPIAssets();
    if (lParam != 0)
        MoveWindow(*reinterpret_cast<const ui::UIRect*>(lParam));
    if (ui::CControlUI* root = m_pm.GetRoot())
        root->NeedUpdate();
}

void CMsgWnd::OnFinalMessage(ui::HWND hwnd)
{
    WindowImplBase::OnFinalMessage(hwnd);
    if (m_deleteOnFinalMessage)
        delete this;
}

int ShowMessageBox(ui::CWindowWnd& parent, const std::wstring& title, const std::wstring& text, int dpi,
                   bool textIsLanguageKey, int buttons)
{
    ui::CMessageLoop* loop = parent.GetMessageLoop();
    if (loop == nullptr)
        return msgbox::kCancelled;
    return ShowMessageBox(*loop, parent.GetHWND(), title, text, dpi, textIsLanguageKey, buttons);
}

int ShowMessageBox(ui::CMessageLoop& loop, ui::HWND parent, const std::wstring& title, const std::wstring& text,
                   int dpi, bool textIsLanguageKey, int buttons)
{
    auto* box = new CMsgWnd;
    if (!box->Create(loop, parent, msgbox::kCaption, ui::WS_POPUP | ui::WS_CLIPCHILDREN, ui::WS_EX_TOOLWINDOW)) {
        // The object only deletes itself once its window was made; here it is still ours.
        delete box;
        DebugOutput(L"MSG_WND: the message box could not be created");
        return msgbox::kCancelled;
    }
    box->m_deleteOnFinalMessage = true;
    box->SetTitle(title);
    box->SetText(text, textIsLanguageKey);
    box->SetDpi(dpi);
    box->SetButtons(buttons);
    box->CenterWindow();
    // The object deletes itself when its window is gone; it is not touched after ShowModal.
    const ui::UINT result = box->ShowModal();
    return result == static_cast<ui::UINT>(msgbox::kConfirmed) ? msgbox::kConfirmed : msgbox::kCancelled;
}

}  // namespace dw
