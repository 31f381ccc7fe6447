#pragma once

// Test double of the screen information: one fixed monitor, or none.

#include "platform/screen/IScreenInfo.h"

namespace dw::platform {

class CFixedScreenInfo final : public IScreenInfo {
public:
    explicit CFixedScreenInfo(std::optional<ScreenMetrics> screen) : m_screen(screen) {}

    std::optional<ScreenMetrics> PrimaryScreen() const override { return m_screen; }
    std::optional<ScreenMetrics> ScreenNearest(int, int) const override { return m_screen; }

    void SetScreen(std::optional<ScreenMetrics> screen) { m_screen = screen; }

private:
    std::optional<ScreenMetrics> m_screen;
};

}  // namespace dw::platform
