#pragma once

// Test double of the settings launcher: records the pages asked for and answers a fixed result.

#include <vector>

#include "platform/desktop/IDesktopSettingsLauncher.h"

namespace dw::platform {

class CRecordingSettingsLauncher final : public IDesktopSettingsLauncher {
public:
    explicit CRecordingSettingsLauncher(bool result = true) : m_result(result) {}

    bool Open(DesktopSettingsPage page) override
    {
        m_opened.push_back(page);
        return m_result;
    }

    const std::vector<DesktopSettingsPage>& Opened() const { return m_opened; }

private:
    bool m_result;
    std::vector<DesktopSettingsPage> m_opened;
};

}  // namespace dw::platform
