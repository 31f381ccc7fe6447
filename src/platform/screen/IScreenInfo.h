#pragma once

// The size of a monitor, for the main window's display check: its size in device pixels and its
// physical size in millimetres (0 when the monitor does not report it).

#include <optional>

namespace dw::platform {

struct ScreenMetrics {
    int widthPixels = 0;
    int heightPixels = 0;
    int widthMm = 0;
    int heightMm = 0;
    friend bool operator==(const ScreenMetrics&, const ScreenMetrics&) = default;
};

class IScreenInfo {
public:
    virtual ~IScreenInfo() = default;

    // The primary monitor; nothing when there is no display.
    virtual std::optional<ScreenMetrics> PrimaryScreen() const = 0;
    // The monitor that contains the point (desktop coordinates), else the nearest one; nothing
    // when there is no display.
    virtual std::optional<ScreenMetrics> ScreenNearest(int x, int y) const = 0;
};

}  // namespace dw::platform
