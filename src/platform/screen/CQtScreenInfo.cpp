#include "platform/screen/CQtScreenInfo.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <limits>

namespace dw::platform {

namespace {

bool HasGuiApplication()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

ScreenMetrics MetricsOf(const QScreen& screen)
{
    // Qt measures geometry in device-independent pixels; the display check wants the pixels of
    // the monitor, as a program that is not scaled sees them.
    const QSize logical = screen.geometry().size();
    const qreal ratio = screen.devicePixelRatio() > 0 ? screen.devicePixelRatio() : 1.0;
    const QSizeF millimetres = screen.physicalSize();
    return ScreenMetrics{
        static_cast<int>(std::lround(logical.width() * ratio)),
        static_cast<int>(std::lround(logical.height() * ratio)),
        static_cast<int>(std::lround(millimetres.width())),
        static_cast<int>(std::lround(millimetres.height())),
    };
}

// Squared distance from a point to a rectangle (0 inside).
long long DistanceSquared(const QRect& rect, int x, int y)
{
    const long long dx = x < rect.left() ? rect.left() - x : (x > rect.right() ? x - rect.right() : 0);
    const long long dy = y < rect.top() ? rect.top() - y : (y > rect.bottom() ? y - rect.bottom() : 0);
    return dx * dx + dy * dy;
}

}  // namespace

std::optional<ScreenMetrics> CQtScreenInfo::PrimaryScreen() const
{
    if (!HasGuiApplication())
        return std::nullopt;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return std::nullopt;
    return MetricsOf(*screen);
}

std::optional<ScreenMetrics> CQtScreenInfo::ScreenNearest(int x, int y) const
{
    if (!HasGuiApplication())
        return std::nullopt;
    const QScreen* nearest = nullptr;
    long long best = std::numeric_limits<long long>::max();
    for (const QScreen* screen : QGuiApplication::screens()) {
        const long long distance = DistanceSquared(screen->geometry(), x, y);
        if (distance < best) {
            best = distance;
            nearest = screen;
        }
    }
    if (nearest == nullptr)
        return PrimaryScreen();
    return MetricsOf(*nearest);
}

}  // namespace dw::platform
