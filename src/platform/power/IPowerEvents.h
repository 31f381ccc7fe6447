#pragma once

// Suspend and resume of the computer, as the main window receives them: WM_POWERBROADCAST with
// PBT_APMSUSPEND before the system sleeps and PBT_APMRESUMEAUTOMATIC after it wakes.

#include <functional>

#include "ui/core/UIDefs.h"

namespace dw::platform {

// (WM_POWERBROADCAST, PBT_...): called on the UI thread.
using PowerBroadcastHandler = std::function<void(ui::UINT msg, ui::WPARAM event)>;

class IPowerEvents {
public:
    virtual ~IPowerEvents() = default;

    // Whether suspend and resume will be reported at all.
    virtual bool IsConnected() const = 0;
    virtual void SetHandler(PowerBroadcastHandler handler) = 0;
};

// The power broadcast of the sleep announcement: PBT_APMSUSPEND when the system is about to
// sleep (`starting` true), PBT_APMRESUMEAUTOMATIC when it has woken up.
ui::WPARAM PowerBroadcastForSleep(bool starting);

}  // namespace dw::platform
