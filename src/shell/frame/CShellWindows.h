#pragma once

// The main window's companion windows and settings: the skin window and the skin observer's
// receiver, the interface language, the tray menu and the about box. It is handed to the main
// window as its IShellWindows (MainWndServices::windows) and attached to it once the window
// object exists:
//
//     CShellWindows shell(store, ShellWindowsPaths::ForProgram());
//     services.windows = &shell;
//     CMainWnd window(services);
//     shell.Attach(window);
//
// The settings window is another part's; it is opened through the opener given to
// SetSettingsWindowOpener.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "shell/IShellWindows.h"
#include "shell/frame/CLanguageSwitcher.h"
#include "ui/core/CMenuWnd.h"

namespace dw::platform {
class IRegistryStore;
}

namespace dw {

class CMainWnd;

struct ShellWindowsPaths {
    std::wstring languageList;  // full path of "Language.config"
    std::string skinSettings;   // full path of "main.ini"; empty: not recorded

    // The program's files: the list in the default-data folder of the resource folder, the
    // settings in the per-user data folder.
    static ShellWindowsPaths ForProgram();
};

class CShellWindows : public IShellWindows {
public:
    using SettingsWindowOpener = std::function<void(std::optional<ui::UIPoint> topRight)>;
    using TrayGeometrySource = std::function<std::optional<ui::UIRect>()>;

    CShellWindows(platform::IRegistryStore& store, ShellWindowsPaths paths);
    ~CShellWindows() override;
    CShellWindows(const CShellWindows&) = delete;
    CShellWindows& operator=(const CShellWindows&) = delete;

    void Attach(CMainWnd& mainWindow) { m_main = &mainWindow; }
    void SetSettingsWindowOpener(SettingsWindowOpener opener) { m_openSettings = std::move(opener); }
    // Where the tray icon is on the screen; used to place the tray menu on desktops that
    // reserve no panel strip.
    void SetTrayGeometrySource(TrayGeometrySource source) { m_trayGeometry = std::move(source); }

    CLanguageSwitcher& GetLanguageSwitcher() { return m_language; }
    // The tray menu while it exists (tests).
    ui::CMenuWnd* GetTrayMenu() const { return m_trayMenu.get(); }

    // IShellWindows
    void OpenSkinWindow() override;
    void OpenSettingsWindow(std::optional<ui::UIPoint> topRight) override;
    void OpenAboutBox() override;
    void OpenTrayMenu(ui::UIPoint screenPoint) override;
    void ApplyLanguageSetting() override;
    void ApplyLanguage(int index) override;
    void ApplySkin(const SkinChangedParam& param) override;

private:
    std::optional<ui::UIRect> FindPanel(ui::UIPoint point) const;

    CMainWnd* m_main = nullptr;
    ShellWindowsPaths m_paths;
    CLanguageSwitcher m_language;
    std::unique_ptr<ui::CMenuWnd> m_trayMenu;
    ui::HWND m_skinFrame = nullptr;
    SettingsWindowOpener m_openSettings;
    TrayGeometrySource m_trayGeometry;
};

}  // namespace dw
