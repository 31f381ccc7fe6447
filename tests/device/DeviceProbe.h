#pragma once

// A device object whose preview counters and working buffers tests can set and read, and a
// builder callback that creates it (or a plain base object) for the page element.

#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "transport/device/CKestovarUSBDevice.h"
#include "ui/core/CDialogBuilder.h"
#include "ui/core/UIMessages.h"

namespace dw::test {

class DeviceProbe : public CKestovarUSBDevice {
public:
    struct Counters {
        uint8_t step = 0;     // P
        uint8_t colour = 0;   // Q
        uint8_t blink = 0;    // 1 lit
        uint64_t lastToggle = 0;
        friend bool operator==(const Counters&, const Counters&) = default;
    };

    using CKestovarUSBDevice::CKestovarUSBDevice;

    void SetCounters(const Counters& c)
    {
        std::lock_guard lock(m_lightLock);
        m_stepCounter = c.step;
        m_colourIndex = c.colour;
        m_blinkPhase = c.blink;
        m_lastBlinkToggle = c.lastToggle;
    }
    Counters GetCounters() const
    {
        std::lock_guard lock(m_lightLock);
        return {m_stepCounter, m_colourIndex, m_blinkPhase, m_lastBlinkToggle};
    }
    std::vector<LightExtra> GetLightExtras() const
    {
        std::lock_guard lock(m_lightLock);
        return m_lightExtras;
    }
    void SetLightExtra(size_t index, const LightExtra& extra)
    {
        std::lock_guard lock(m_lightLock);
        m_lightExtras.at(index) = extra;
    }

    // Counts the clicks this page's message map receives.
    void ListenForClicks()
    {
        OnNotify(ui::notify::kClick, [this](ui::TNotifyUI& msg) {
            ++clicks;
            lastSender = msg.pSender != nullptr ? msg.pSender->GetName() : L"";
        });
    }
    int clicks = 0;
    std::wstring lastSender;
};

inline std::ostream& operator<<(std::ostream& os, const DeviceProbe::Counters& c)
{
    return os << "{P " << int{c.step} << ", Q " << int{c.colour} << ", lit " << int{c.blink} << ", toggled "
              << c.lastToggle << "}";
}

// Creates a DeviceProbe for the element "KestovarUSBDevice".
class ProbeBuilderCallback : public ui::IDialogBuilderCallback {
public:
    ui::CControlUI* CreateControl(const std::wstring& className) override
    {
        if (className == CKestovarUSBDevice::kClassName) {
            auto* page = new DeviceProbe;
            created.push_back(page);
            return page;
        }
        return nullptr;
    }
    std::vector<DeviceProbe*> created;
};

}  // namespace dw::test
