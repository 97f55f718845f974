#pragma once
// The power operator and the factorial, in both arithmetic flavours. The
// common cases (a positive base with a small integer exponent or 1/2, a
// negative base with a small integer exponent) are inline; the rest is not.

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "formula/arithmetic_steps.h"

namespace orbisk::formula {

// base^exponent for a positive base by its definition, e^(exponent ln base).
template <class Steps>
double PowerByLogarithm(double base, double exponent);

// base^exponent for base <= 0 (or NaN in a fast run), in general.
template <class Steps>
double PowerOfNonPositiveBase(double base, double exponent);

// base^n for 1 <= n <= 64 by squaring, in extended precision: each of its at
// most 2n - 1 roundings costs at most one ulp, so it lies within 2n ulps.
inline Extended IntegerPower(Extended base, int n) {
  Extended result = 1;
  while (true) {
    if (n & 1) result *= base;
    n >>= 1;
    if (n == 0) return result;
    base *= base;
  }
}

// The integer exponents 1..64 (and their negatives) and 1/2 take the shortcut.
inline constexpr double kShortcutExponents = 64;

// The e^(exponent ln base) of a positive finite base rounded to double, into
// result, when a cheaper value provably rounds to the same double; false
// otherwise.
//
// The definition computes z = exponent * ln base and e^z in extended
// precision. The x87 logarithm (with ln 2 rounded) is within 1.5 ulps, the
// product with the exponent within half an ulp and the library's exponential
// within one, each ulp at most 2^-63 of the value; so e^z lies within
// (2 |z| + 1) 2^-63 < (|z| + 1) 2^-61 of the true power, relative. (Measured
// on millions of bases: below (|z| + 1) 2^-63.) The cheaper value lies within
// errorUlps ulps of it too. Both round to the same double when the cheaper one
// is further than the sum of both bounds from every midpoint between two
// doubles. Measured in ulps of the extended value (each at least 2^-64 of
// it), the bounds come to 8 (|z| + 1) + errorUlps; a midpoint is where the 11
// bits below a double's last bit read 10000000000.
inline bool PowerShortcut(double base, double exponent, double& result) {
  const double magnitude = std::fabs(exponent);
  const bool half = exponent == 0.5;
  if (!half && !(magnitude >= 1 && magnitude <= kShortcutExponents &&
                 exponent == static_cast<double>(static_cast<int>(exponent)))) {
    return false;
  }
  const int biased =
      static_cast<int>(std::bit_cast<std::uint64_t>(base) >> 52);  // the sign bit of a positive base is 0
  if (biased == 0 || biased == 0x7FF) return false;
  const int binary = biased - 1022;  // base = f 2^binary, 1/2 <= f < 1, so |ln base| <= max(|b|, |b - 1|) ln 2
  const double zBound = magnitude * std::max(std::abs(binary), std::abs(binary - 1)) * 0.6931471805599453;
  if (!(zBound < 700)) return false;  // the result stays far inside the double range
  Extended value = 0;
  int errorUlps = 1;
  if (half) {
    value = SquareRoot(base);
  } else {
    const int n = static_cast<int>(magnitude);
    value = IntegerPower(base, n);
    if (exponent < 0) value = 1 / value;
    errorUlps = 2 * n + 1;
  }
  // The x87 format keeps the significand in its first 8 bytes.
  const std::uint64_t significand = std::bit_cast<std::array<std::uint64_t, 2>>(value)[0];
  const int distance = std::abs(static_cast<int>(significand & 0x7FF) - 0x400);
  if (!(distance > 8 * (zBound + 1) + errorUlps)) return false;
  result = static_cast<double>(value);
  return true;
}

// base ^ exponent: e^(exponent * ln base) for base > 0; 0 for base 0 (also
// 0^0 and negative exponents); for base < 0 repeated multiplication or
// division by the base, each step rounded to double, when the exponent is an
// integer of 32 bits (invalid operation beyond), else division by zero.
template <class Steps>
inline double Power(double base, double exponent) {
  double result = 0;
  if (base > 0) {
    if (PowerShortcut(base, exponent, result)) return result;
    return PowerByLogarithm<Steps>(base, exponent);
  }
  if (base < 0 && exponent >= 1 && exponent <= 8 && exponent == static_cast<double>(static_cast<int>(exponent))) {
    // A few steps taken literally; a sign flips at every one.
    result = base;
    for (int step = static_cast<int>(exponent) - 1; step > 0; --step) result = Steps::Round(Steps::Mul(result, base));
    return result;
  }
  return PowerOfNonPositiveBase<Steps>(base, exponent);
}

// n! with every product rounded to double; 1 for n <= 1; 171! overflows.
template <class Steps>
double Factorial(std::int32_t n);

extern template double PowerByLogarithm<FastSteps>(double, double);
extern template double PowerByLogarithm<CheckedSteps>(double, double);
extern template double PowerOfNonPositiveBase<FastSteps>(double, double);
extern template double PowerOfNonPositiveBase<CheckedSteps>(double, double);
extern template double Factorial<FastSteps>(std::int32_t);
extern template double Factorial<CheckedSteps>(std::int32_t);

}  // namespace orbisk::formula
