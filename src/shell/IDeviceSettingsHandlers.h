#pragma once

// The dispatchers of the device pages' own controls (options, check boxes, sliders, edits),
// the recoil patterns and the key labels, as the main window reaches them.

#include "ui/core/CNotifyPump.h"

namespace dw {

class IDeviceSettingsHandlers {
public:
    virtual ~IDeviceSettingsHandlers() = default;

    virtual void OnSelectChanged(ui::TNotifyUI& msg) = 0;     // options and check boxes
    virtual void OnValueChanged(ui::TNotifyUI& msg) = 0;      // sliders
    virtual void OnMoveValueChanged(ui::TNotifyUI& msg) = 0;  // slider drags
    virtual void OnKillFocus(ui::TNotifyUI& msg) = 0;         // edit boxes
    virtual void OnRecoilButton(ui::TNotifyUI& msg) = 0;      // "shootdate_*", "bullet_selected_*"
    // Relabels the keys of every mouse and keyboard page after a language change.
    virtual void RelabelKeys() = 0;
};

}  // namespace dw
