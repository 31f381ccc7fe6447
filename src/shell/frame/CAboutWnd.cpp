#include "shell/frame/CAboutWnd.h"

#include "platform/DebugOutput.h"
#include "shell/frame/ShellFrameMessages.h"
#include "transport/DeviceTables.h"
#include "ui/core/CControlUI.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/UIString.h"
#include "ui/core/UIWindowStyles.h"

namespace dw {

CAboutWnd::CAboutWnd(std::wstring versionTag) : m_versionTag(std::move(versionTag)) {}

void CAboutWnd::InitWindow()
{
    m_closeButton = m_pm.FindControl(shellframe::name::kCloseButton);
    m_maxButton = m_pm.FindControl(shellframe::name::kMaxButton);
    m_restoreButton = m_pm.FindControl(shellframe::name::kRestoreButton);
    m_minButton = m_pm.FindControl(shellframe::name::kMinButton);
    m_menuButton = m_pm.FindControl(shellframe::name::kMenuButton);
    for (const wchar_t* required : {aboutbox::kVersionLabel, aboutbox::kTranslateControl, shellframe::name::kCloseButton}) {
        if (m_pm.FindControl(required) == nullptr)
            DebugOutput(std::wstring(L"about box: the layout has no control named ") + required);
    }
    ShowVersionText();
}

std::wstring CAboutWnd::ComposeVersionText()
{
    // The key goes through a resource-text control so that the text is the one the language
    // file gives it, as every other text of the window.
    std::wstring text;
    if (ui::CControlUI* translate = m_pm.FindControl(aboutbox::kTranslateControl)) {
        translate->SetResourceText(true);
        translate->SetText(aboutbox::kVersionTextKey);
        text = translate->GetText();
    }
    return text + m_versionTag;
}

void CAboutWnd::ShowVersionText()
{
    const std::wstring text = ComposeVersionText();
    if (ui::CControlUI* label = m_pm.FindControl(aboutbox::kVersionLabel))
        label->SetText(text);
}

void CAboutWnd::ShowSizeButtons()
{
    const bool zoomed = IsZoomed();
    if (m_maxButton != nullptr)
        m_maxButton->SetVisible(!zoomed);
    if (m_restoreButton != nullptr)
        m_restoreButton->SetVisible(zoomed);
}

void CAboutWnd::OnClick(ui::TNotifyUI& msg)
{
    ui::CControlUI* sender = msg.pSender;
    if (sender == nullptr)
        return;
    if (sender == m_closeButton)
        Close(ui::IDCANCEL);
    else if (sender == m_minButton)
        SendMessage(ui::WM_SYSCOMMAND, ui::SC_MINIMIZE, 0);
    else if (sender == m_maxButton)
        SendMessage(ui::WM_SYSCOMMAND, ui::SC_MAXIMIZE, 0);
    else if (sender == m_restoreButton)
        SendMessage(ui::WM_SYSCOMMAND, ui::SC_RESTORE, 0);
    // "homepage_btn" and anything else: nothing.
}

ui::LRESULT CAboutWnd::OnSysCommand(ui::UINT msg, ui::WPARAM wParam, ui::LPARAM lParam, bool& handled)
{
    handled = true;
    if ((wParam & 0xFFF0) == ui::SC_CLOSE) {
        // The desktop's close of the about box closes the about box, not the program.
        Close(ui::IDCANCEL);
        return 0;
    }
    const bool wasZoomed = IsZoomed();
    const ui::LRESULT result = CWindowWnd::HandleMessage(msg, wParam, lParam);
    if (GetHWND() != nullptr && IsZoomed() != wasZoomed)
        ShowSizeButtons();
    return result;
}

ui::LRESULT CAboutWnd::OnTimer(ui::UINT /*msg*/, ui::WPARAM wParam, ui::LPARAM /*lParam*/, bool& handled)
{
    // The controls' own timers go on to the paint manager.
    if (wParam >= ui::CPaintManagerUI::kControlTimerBase) {
        handled = false;
        return 0;
    }
    if (wParam == aboutbox::kOneShotTimer)
        KillTimer(aboutbox::kOneShotTimer);
    handled = true;
    return 0;
}

ui::LRESULT CAboutWnd::HandleCustomMessage(ui::UINT msg, ui::WPARAM /*wParam*/, ui::LPARAM /*lParam*/, bool& handled)
{
    if (msg != shellframe::kMsgLanguageChanged) {
        handled = false;
        return 0;
    }
    // The version line is composed, not a resource text: compose it again in the new language.
    ShowVersionText();
    m_pm.Invalidate();
    if (ui::CControlUI* root = m_pm.GetRoot())
        root->NeedUpdate();
    m_pm.NeedUpdate();
    handled = true;
    return 0;
}

void ShowAboutBox(ui::CWindowWnd& owner, const std::function<void(ui::HWND)>& onOpen)
{
    ui::CMessageLoop* loop = owner.GetMessageLoop();
    if (loop == nullptr)
        return;
    // The about box lives on the stack: the modal loop returns only once its window is gone.
    CAboutWnd about(std::wstring(kModelNames.back().versionTag));
    if (!about.Create(*loop, owner.GetHWND(), aboutbox::kCaption, ui::WS_POPUP | ui::WS_VISIBLE, ui::WS_EX_TOOLWINDOW,
                      {0, 0, aboutbox::kWidth, aboutbox::kHeight})) {
        DebugOutput(L"about box: the window could not be created");
        return;
    }
    if (onOpen)
        onOpen(about.GetHWND());
    about.CenterWindow();
    about.ShowModal();
    if (onOpen)
        onOpen(nullptr);
}

}  // namespace dw
