#pragma once

// The profile list of the device pages, as the main window reaches it.

#include "ui/core/CNotifyPump.h"

namespace dw {

class IProfileHandlers {
public:
    virtual ~IProfileHandlers() = default;

    virtual void OnProfileButton(ui::TNotifyUI& msg) = 0;  // "device_add_btn", ...
    virtual void RestoreDefaults() = 0;                    // "default_btn"
    virtual void OnProfilePanelSpread(ui::TNotifyUI& msg) = 0;  // "profile_fun_spread_btn"
    // Timer 1055, after a selection in "device_profile_combo".
    virtual void SwitchToSelectedProfile() = 0;
};

}  // namespace dw
