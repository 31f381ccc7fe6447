#pragma once

// Opens the desktop's keyboard or mouse settings with the first settings program of the
// running desktop that is installed (DesktopSettingsCommands), started detached.

#include <string>

#include "platform/desktop/IDesktopSettingsLauncher.h"

namespace dw::platform {

class CDesktopSettingsLauncher final : public IDesktopSettingsLauncher {
public:
    // `currentDesktop`: the value of XDG_CURRENT_DESKTOP; `pathList`: the value of PATH.
    CDesktopSettingsLauncher(std::string currentDesktop, std::string pathList);
    static CDesktopSettingsLauncher FromEnvironment();

    bool Open(DesktopSettingsPage page) override;

private:
    std::string m_currentDesktop;
    std::string m_pathList;
};

}  // namespace dw::platform
