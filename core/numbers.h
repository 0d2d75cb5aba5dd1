#pragma once

#include <cstdint>

namespace core {

// Pure mode: a whole number from 1 upwards. The multiplier is deliberately a little above
// 2^31 - 1, so the highest draws give a number that no longer fits 32 bits.
inline constexpr double pureMultiplier = 2147485645.0;

// floor(draw * multiplier + 1), in 64-bit floating point.
double pureNumber(float draw);

// Range mode: floor((high - low + 1) * draw + low), in 64-bit floating point and in that
// order. The bounds are used as given: no order check and no swap.
double rangeNumber(double low, double high, float draw);

// A bound above its threshold is replaced by a fixed nine-digit value.
struct BoundCap {
    double threshold;
    std::int32_t value;

    bool appliesTo(double bound) const { return bound > threshold; }
};

inline constexpr BoundCap lowBoundCap{2147485600.0, 214785600};
inline constexpr BoundCap highBoundCap{2147485640.0, 214785640};

// The bound boxes accept digits only: character codes 48 ('0') to 57 ('9').
constexpr bool isDigitCode(std::int32_t code)
{
    return code >= 48 && code <= 57;
}

} // namespace core
