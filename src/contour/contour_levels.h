#pragma once
// The evenly spaced contour levels of a value range.

#include <cstdint>
#include <vector>

namespace orbisk {

// The most levels a picture is traced with; more could not be told apart and
// would keep the program busy for hours.
inline constexpr std::int32_t kMaxContourLevels = 65536;

// The midpoints of nLevel equal slices of minValue..maxValue, computed in
// extended precision; empty for nLevel < 0. nLevel = 0 raises a MathError
// ("Floating point division by zero", or "Invalid floating point operation"
// when the range is empty). More than kMaxContourLevels raises Error
// "Too many contour levels: %d (at most 65536)".
std::vector<long double> ContourLevels(long double minValue, long double maxValue, std::int32_t nLevel);

}  // namespace orbisk
