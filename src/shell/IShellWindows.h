#pragma once

// The main window's companions: the skin window, languages, the tray menu, the about box and the
// settings window. A companion that opens one of the pop-up windows tells the main window its
// handle (CMainWnd::SetPopupWindow), so that the main window can close it and forward messages.

#include <optional>

#include "shell/SkinChanged.h"
#include "ui/core/UIDefs.h"

namespace dw {

class IShellWindows {
public:
    virtual ~IShellWindows() = default;

    virtual void OpenSkinWindow() = 0;  // the skin button
    // The settings window: centred when `topRight` is empty, else with its top-right corner
    // there (screen pixels).
    virtual void OpenSettingsWindow(std::optional<ui::UIPoint> topRight) = 0;
    virtual void OpenAboutBox() = 0;                    // menu "about_menu"
    virtual void OpenTrayMenu(ui::UIPoint screenPoint) = 0;  // timer 1032
    // "windowinit": read the language setting and apply it.
    virtual void ApplyLanguageSetting() = 0;
    // Message 3089: apply the language with this index.
    virtual void ApplyLanguage(int index) = 0;
    // The skin observer announced a new skin.
    virtual void ApplySkin(const SkinChangedParam& param) = 0;
};

}  // namespace dw
