#pragma once

// The screen information from Qt's screens. Needs a QGuiApplication on the calling thread's
// process (the Qt backend of the window library creates one); without it there is no display.
// Call on the UI thread.

#include "platform/screen/IScreenInfo.h"

namespace dw::platform {

class CQtScreenInfo final : public IScreenInfo {
public:
    std::optional<ScreenMetrics> PrimaryScreen() const override;
    std::optional<ScreenMetrics> ScreenNearest(int x, int y) const override;
};

}  // namespace dw::platform
