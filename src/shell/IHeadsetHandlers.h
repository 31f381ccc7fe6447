#pragma once

// The headset page's equaliser presets, as the main window reaches them.

#include "ui/core/CNotifyPump.h"

namespace dw {

class IHeadsetHandlers {
public:
    virtual ~IHeadsetHandlers() = default;

    virtual void OnEqualiserButton(ui::TNotifyUI& msg) = 0;          // "hs_EQ_btn_save", "hs_EQ_btn_delete"
    virtual void OnEqualiserPresetSelected(ui::TNotifyUI& msg) = 0;  // "custom_eq_name_combo"
};

}  // namespace dw
