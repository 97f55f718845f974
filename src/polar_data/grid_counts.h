#pragma once
// Guards and arithmetic shared by everything that fills or reads the grid.

#include <cstdint>

#include "polar_data/polar_grid.h"

namespace orbisk {

// Raises InputError naming the count and the range 2..256 when NFi or NR
// lies outside it; reading or writing the grid with such counts would leave
// the value array.
void CheckGridCounts(const PolarGrid& grid);

// A count field's value rounded to the nearest integer (halves to even);
// raises MathError (invalid operation) when it does not fit 32 bits.
std::int32_t RoundCount(double value);

// (to - from) / (count - 1) in extended precision; raises MathError
// (overflow) when the bounds lie too far apart for a finite step.
long double GridStep(long double from, long double to, std::int32_t count);

}  // namespace orbisk
