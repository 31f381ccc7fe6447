#pragma once

// Value arithmetic of the slider: steps, clamping and the mapping between a value and the
// thumb's place on its track. Pure functions so the rounding rules can be checked alone.

namespace dw::ui {

// value clamped to [min, max] and rounded to the nearest step counted from min; the maximum
// itself is always reachable even when it is not on the step grid. A step below 1 counts as 1;
// max below min counts as min.
int SnapToStep(int value, int min, int max, int step);
// Value at offset pixels along a track whose thumb travels over travel pixels (0 at min).
int ValueFromOffset(int offset, int travel, int min, int max);
// Pixel offset of value along that track.
int OffsetFromValue(int value, int travel, int min, int max);

}  // namespace dw::ui
