#include "ui/core/controls/SliderMath.h"

#include <algorithm>
#include <cstdint>

namespace dw::ui {

int SnapToStep(int value, int min, int max, int step)
{
    if (max < min)
        max = min;
    if (step < 1)
        step = 1;
    if (value <= min)
        return min;
    if (value >= max)
        return max;
    const int64_t offset = static_cast<int64_t>(value) - min;
    const int64_t steps = (offset + step / 2) / step;
    const int64_t snapped = static_cast<int64_t>(min) + steps * step;
    return static_cast<int>(std::min<int64_t>(snapped, max));
}

int ValueFromOffset(int offset, int travel, int min, int max)
{
    if (max <= min || travel <= 0)
        return min;
    offset = std::clamp(offset, 0, travel);
    const int64_t range = static_cast<int64_t>(max) - min;
    return static_cast<int>(min + (static_cast<int64_t>(offset) * range + travel / 2) / travel);
}

int OffsetFromValue(int value, int travel, int min, int max)
{
    if (max <= min || travel <= 0)
        return 0;
    value = std::clamp(value, min, max);
    const int64_t range = static_cast<int64_t>(max) - min;
    return static_cast<int>(((static_cast<int64_t>(value) - min) * travel + range / 2) / range);
}

}  // namespace dw::ui
