#pragma once

// Test double of the power events: the test announces sleep and wake-up itself.

#include "platform/power/IPowerEvents.h"
#include "ui/core/UIMessages.h"

namespace dw::platform {

class CManualPowerEvents final : public IPowerEvents {
public:
    bool IsConnected() const override { return true; }
    void SetHandler(PowerBroadcastHandler handler) override { m_handler = std::move(handler); }

    // As the system's PrepareForSleep(starting) would.
    void AnnounceSleep(bool starting)
    {
        if (m_handler)
            m_handler(ui::WM_POWERBROADCAST, PowerBroadcastForSleep(starting));
    }

private:
    PowerBroadcastHandler m_handler;
};

}  // namespace dw::platform
