#pragma once

// The counters of the lighting previews. A counter "steps within n by s" in a direction:
// upwards it adds s and becomes 0 when the sum reaches n; downwards it subtracts s and becomes
// n - s when the difference would fall below 0.

namespace dw {

// A value at or above n (left by a preview that counts within a larger n) is first brought
// into range, so a counter shared by several previews always stays within the one running now.
// n must be positive and s at most n.
constexpr unsigned StepWithin(unsigned value, unsigned n, unsigned s, bool upwards)
{
    value %= n;
    if (upwards) {
        const unsigned sum = value + s;
        return sum >= n ? 0 : sum;
    }
    return value < s ? n - s : value - s;
}

}  // namespace dw
