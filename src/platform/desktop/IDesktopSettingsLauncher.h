#pragma once

// Opens the desktop's own keyboard or mouse settings (the "windowdeviceset_" buttons of the
// main window: index 0 keyboard, index 1 mouse).

namespace dw::platform {

enum class DesktopSettingsPage {
    Keyboard = 0,
    Mouse = 1,
};

class IDesktopSettingsLauncher {
public:
    virtual ~IDesktopSettingsLauncher() = default;

    // Starts the settings program detached and returns at once; true when one was started.
    // False, doing nothing, when the desktop has none this program knows.
    virtual bool Open(DesktopSettingsPage page) = 0;
};

}  // namespace dw::platform
