#include "shell/frame/CShellWindows.h"

#include "platform/DebugOutput.h"
#include "platform/folders/UserFolders.h"
#include "shell/CMainWnd.h"
#include "shell/frame/CAboutWnd.h"
#include "shell/frame/CSkinFrame.h"
#include "shell/frame/TrayMenuPlacement.h"
#include "ui/core/CControlUI.h"
#include "ui/core/CMessageLoop.h"
#include "ui/core/CPaintManagerUI.h"

namespace dw {

namespace {

constexpr const wchar_t* kDefaultDataFolder = L"DefaultData/";
constexpr const wchar_t* kSkinButton = L"skinbtn";
constexpr const wchar_t* kRootControl = L"root";

std::wstring WithTrailingSlash(std::wstring folder)
{
    if (!folder.empty() && folder.back() != L'/')
        folder += L'/';
    return folder;
}

// The image attribute that names exactly `path`. A plain path is its own attribute; one holding
// '=' would be read as "key='value'" pairs, so it is quoted as the file of such a pair. Empty
// when the path holds both kinds of quote and cannot be named.
std::wstring ImageAttributeFor(const std::wstring& path)
{
    if (path.find(L'=') == std::wstring::npos)
        return path;
    if (path.find(L'\'') == std::wstring::npos)
        return L"file='" + path + L"'";
    if (path.find(L'"') == std::wstring::npos)
        return L"file=\"" + path + L"\"";
    return {};
}

}  // namespace

ShellWindowsPaths ShellWindowsPaths::ForProgram()
{
    ShellWindowsPaths paths;
    paths.languageList = WithTrailingSlash(ui::CPaintManagerUI::GetInstancePath()) + kDefaultDataFolder +
                         language::kListFileName;
    paths.skinSettings = platform::JoinPath(platform::ProductDataFolder(), skinframe::kSettingsFileName);
    return paths;
}

CShellWindows::CShellWindows(platform::IRegistryStore& store, ShellWindowsPaths paths)
    : m_paths(std::move(paths)), m_language(store, m_paths.languageList)
{
}

CShellWindows::~CShellWindows() = default;

void CShellWindows::OpenSkinWindow()
{
    if (m_main == nullptr || m_main->GetMessageLoop() == nullptr)
        return;
    ui::CMessageLoop& loop = *m_main->GetMessageLoop();
    // A second click on the skin button closes the open skin window.
    if (m_skinFrame != nullptr && loop.IsWindow(m_skinFrame)) {
        loop.PostMessage(m_skinFrame, ui::WM_CLOSE, 0, 0);
        m_skinFrame = nullptr;
        return;
    }
    ui::CPaintManagerUI& pm = m_main->GetPaintManager();
    ui::UIRect anchor;
    if (ui::CControlUI* button = pm.FindControl(kSkinButton))
        anchor = button->GetPos();
    const ui::UIRect window = m_main->GetWindowRect();
    anchor.Offset(window.left, window.top);
    CSkinFrame* frame = CSkinFrame::Open(loop, m_main->GetHWND(), anchor, m_paths.skinSettings);
    m_skinFrame = frame != nullptr ? frame->GetHWND() : nullptr;
}

void CShellWindows::OpenSettingsWindow(std::optional<ui::UIPoint> topRight)
{
    if (m_openSettings)
        m_openSettings(topRight);
    else
        DebugOutput(L"the settings window is not part of this build");
}

void CShellWindows::OpenAboutBox()
{
    if (m_main == nullptr)
        return;
    CMainWnd* main = m_main;
    // One about box at a time: the tray menu can ask again while it runs.
    const ui::HWND open = main->GetPopupWindow(CMainWnd::Popup::About);
    if (open != nullptr && main->GetMessageLoop() != nullptr && main->GetMessageLoop()->IsWindow(open))
        return;
    ShowAboutBox(*main, [main](ui::HWND hwnd) { main->SetPopupWindow(CMainWnd::Popup::About, hwnd); });
}

std::optional<ui::UIRect> CShellWindows::FindPanel(ui::UIPoint point) const
{
    ui::IUIBackend& backend = m_main->GetMessageLoop()->GetBackend();
    const ui::UIRect screen = backend.GetScreenRect(point);
    if (std::optional<ui::UIRect> panel = PanelFromWorkArea(screen, backend.GetScreenWorkArea(point)))
        return panel;
    if (m_trayGeometry) {
        if (std::optional<ui::UIRect> icon = m_trayGeometry())
            return PanelFromTrayIcon(screen, *icon);
    }
    return std::nullopt;
}

void CShellWindows::OpenTrayMenu(ui::UIPoint screenPoint)
{
    if (m_main == nullptr || m_main->GetMessageLoop() == nullptr)
        return;
    m_trayMenu.reset();
    m_trayMenu = std::make_unique<ui::CMenuWnd>();
    const ui::UIRect screen = m_main->GetMessageLoop()->GetBackend().GetScreenRect(screenPoint);
    const TrayMenuPlacement placement =
        PlaceTrayMenu(screenPoint, FindPanel(screenPoint), {screen.left, screen.top});
    if (!m_trayMenu->Init(*m_main, traymenu::kLayout, placement.point, placement.alignment)) {
        DebugOutput(L"tray menu: the layout menu.xml could not be built");
        m_trayMenu.reset();
    }
}

void CShellWindows::ApplyLanguageSetting()
{
    ApplyLanguage(m_language.ReadLanguageIndex());
}

void CShellWindows::ApplyLanguage(int index)
{
    if (m_main == nullptr)
        return;
    LanguageTargets targets;
    targets.mainPaintManager = &m_main->GetPaintManager();
    targets.loop = m_main->GetMessageLoop();
    for (CMainWnd::Popup popup : {CMainWnd::Popup::Settings, CMainWnd::Popup::About, CMainWnd::Popup::AudioStyle})
        targets.popups.push_back(m_main->GetPopupWindow(popup));
    m_language.Apply(index, targets);
}

void CShellWindows::ApplySkin(const SkinChangedParam& param)
{
    if (m_main == nullptr)
        return;
    ui::CControlUI* root = m_main->GetPaintManager().FindControl(kRootControl);
    if (root == nullptr)
        return;
    // A colour clears the image; an image clears the colour (param carries 0 then).
    root->SetBkColor(param.bkColor);
    root->SetBkImage(ImageAttributeFor(param.bgImage));
}

}  // namespace dw
