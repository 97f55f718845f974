#pragma once
// The evenly spaced contour levels of a value range.

#include <cstdint>
#include <vector>

namespace orbisk {

// The midpoints of nLevel equal slices of minValue..maxValue, computed in
// extended precision; empty for nLevel < 0. nLevel = 0 raises a MathError
// ("Floating point division by zero", or "Invalid floating point operation"
// when the range is empty).
std::vector<long double> ContourLevels(long double minValue, long double maxValue,
                                       std::int32_t nLevel);

}  // namespace orbisk
