#include "shell/frame/CSkinFrame.h"

#include "platform/DebugOutput.h"
#include "platform/Utf8.h"
#include "shell/CSkinObserver.h"
#include "shell/frame/IniFile.h"
#include "ui/core/CControlUI.h"
#include "ui/core/CFileDialog.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/CTabLayoutUI.h"
#include "ui/core/UIString.h"
#include "ui/core/UIWindowStyles.h"

namespace dw {

namespace {

bool NameIs(const ui::CControlUI* control, const wchar_t* name)
{
    return control != nullptr && ui::EqualsNoCase(control->GetName(), name);
}

void BroadcastImage(const std::wstring& image)
{
    SkinChangedParam param;
    param.bgImage = image;
    CSkinObserver::GetInstance().Broadcast(param);
}

}  // namespace

CSkinFrame::CSkinFrame(ui::UIRect anchor, std::string settingsFile)
    : m_anchor(anchor), m_settingsFile(std::move(settingsFile))
{
}

CSkinFrame* CSkinFrame::Open(ui::CMessageLoop& loop, ui::HWND owner, ui::UIRect anchor, std::string settingsFile)
{
    auto* frame = new CSkinFrame(anchor, std::move(settingsFile));
    // Shown with the focus (unlike a tool tip), so that a click elsewhere closes it.
    if (!frame->Create(loop, owner, skinframe::kCaption, ui::WS_POPUP | ui::WS_CLIPSIBLINGS | ui::WS_CLIPCHILDREN,
                       ui::WS_EX_TOOLWINDOW | ui::WS_EX_TOPMOST)) {
        delete frame;
        DebugOutput(L"skin window: the window could not be created");
        return nullptr;
    }
    frame->m_deleteOnFinalMessage = true;
    frame->ShowWindow(true, true);
    return frame;
}

void CSkinFrame::InitWindow()
{
    if (m_pm.FindControl(skinframe::kTab) == nullptr)
        DebugOutput(std::wstring(L"skin window: the layout has no control named ") + skinframe::kTab);
    // The layout gives the size; the window hangs below the anchor, right edges aligned.
    const ui::UIRect rc = GetWindowRect();
    const int width = rc.GetWidth();
    const int height = rc.GetHeight();
    MoveWindow({m_anchor.right - width, m_anchor.bottom, m_anchor.right, m_anchor.bottom + height});
}

void CSkinFrame::OnClick(ui::TNotifyUI& msg)
{
    ui::CControlUI* sender = msg.pSender;
    if (NameIs(sender, skinframe::kImageButton)) {
        const std::wstring image = sender->GetUserData();
        BroadcastImage(image);
        RecordSetting(skinframe::kFlagsSkinImage, image);
    } else if (NameIs(sender, skinframe::kColourButton)) {
        SkinChangedParam param;
        param.bkColor = sender->GetBkColor();
        CSkinObserver::GetInstance().Broadcast(param);
    } else if (NameIs(sender, skinframe::kColourPage)) {
        ShowPage(skinframe::kColourTabPage);
    } else if (NameIs(sender, skinframe::kImagePage)) {
        ShowPage(skinframe::kImageTabPage);
    } else if (NameIs(sender, skinframe::kResetButton)) {
        BroadcastImage(skinframe::kDefaultBackground);
        RecordSetting(skinframe::kFlagsDefault, skinframe::kDefaultBackground);
    } else if (NameIs(sender, skinframe::kCustomButton)) {
        ChooseCustomImage();
    } else {
        WindowImplBase::OnClick(msg);
    }
}

void CSkinFrame::ShowPage(int page)
{
    if (auto* tab = dynamic_cast<ui::CTabLayoutUI*>(m_pm.FindControl(skinframe::kTab)))
        tab->SelectItem(page);
}

void CSkinFrame::ChooseCustomImage()
{
    ui::IUIBackend* backend = GetBackend();
    if (backend == nullptr)
        return;
    m_dialogOpen = true;
    const std::wstring path = ui::CFileDialog::Open(*backend, GetHWND(), skinframe::kCustomImageFilter);
    m_dialogOpen = false;
    // A cancelled dialog changes nothing.
    if (!path.empty())
        BroadcastImage(path);
}

void CSkinFrame::RecordSetting(int flags, const std::wstring& image)
{
    if (m_settingsFile.empty())
        return;
    // A failed write changes nothing the user sees; the file is only a record.
    if (!WriteIniValue(m_settingsFile, skinframe::kSettingsSection, skinframe::kFlagsKey, std::to_string(flags)) ||
        !WriteIniValue(m_settingsFile, skinframe::kSettingsSection, skinframe::kImageKey, platform::WideToUtf8(image)))
        DebugOutput(L"skin window: main.ini could not be written");
}

ui::LRESULT CSkinFrame::OnKillFocus(ui::UINT, ui::WPARAM, ui::LPARAM, bool& handled)
{
    handled = false;
    if (!m_dialogOpen)
        Close();
    return 0;
}

void CSkinFrame::OnFinalMessage(ui::HWND hwnd)
{
    WindowImplBase::OnFinalMessage(hwnd);
    if (m_deleteOnFinalMessage)
        delete this;
}

}  // namespace dw
