#include "formula/power.h"

#include <cmath>
#include <cstring>
#include <optional>

#include "formula/repeated_product.h"

namespace orbisk::formula {
namespace {

constexpr Extended kInt32Min = -2147483648.0L;
constexpr Extended kInt32Max = 2147483647.0L;

// base^exponent for a positive base by its definition, e^(exponent ln base).
template <class Steps>
double ByLogarithm(double base, double exponent) {
  return Steps::Round(Steps::Exp(Steps::Mul(exponent, Steps::Ln(base))));
}

// The integer powers up to this exponent and the square root take the shortcut.
constexpr double kShortcutExponents = 64;

// base^n for 1 <= n <= 64 by squaring, in extended precision: each of its at
// most 2n - 1 roundings costs at most one ulp, so it lies within 2n ulps.
Extended IntegerPower(Extended base, int n) {
  Extended result = 1;
  while (true) {
    if (n & 1) result *= base;
    n >>= 1;
    if (n == 0) return result;
    base *= base;
  }
}

// e^(exponent ln base) rounded to double, for a positive base, when a cheaper
// value provably rounds to the same double; nothing otherwise.
//
// The definition computes z = exponent * ln base and e^z in extended
// precision. The x87 logarithm and the library's exponential are each within
// two ulps (2^-62 relative), so e^z lies within (|z| + 1) 2^-60 of the true
// power, relative. The cheaper value lies within errorUlps ulps of it too. Both
// round to the same double when the cheaper one is further than the sum of
// both bounds from every midpoint between two doubles. Measured in ulps of the
// extended value (each at least 2^-64 of it), the bounds come to
// 16 (|z| + 1) + errorUlps; a midpoint is where the 11 bits below a double's
// last bit read 10000000000.
std::optional<double> Shortcut(double base, double exponent) {
  const bool integer = exponent == std::trunc(exponent) && std::fabs(exponent) <= kShortcutExponents;
  if (!std::isfinite(base) || !(exponent == 0.5 || (integer && exponent != 0))) return std::nullopt;
  int binaryExponent = 0;
  std::frexp(base, &binaryExponent);
  const double zBound = std::fabs(exponent) * (std::abs(binaryExponent) + 1) * 0.6931471805599453;
  if (!(zBound < 700)) return std::nullopt;  // the result stays far inside the double range
  Extended value = 0;
  int errorUlps = 1;
  if (exponent == 0.5) {
    value = SquareRoot(base);
  } else {
    const int n = static_cast<int>(std::fabs(exponent));
    value = IntegerPower(base, n);
    if (exponent < 0) value = 1 / value;
    errorUlps = 2 * n + 1;
  }
  std::uint64_t significand = 0;
  std::memcpy(&significand, &value, sizeof significand);  // the x87 format keeps it in the first 8 bytes
  const int belowDouble = static_cast<int>(significand & 0x7FF);
  const double distance = std::abs(belowDouble - 0x400);
  if (!(distance > 16 * (zBound + 1) + errorUlps)) return std::nullopt;
  return static_cast<double>(value);
}

}  // namespace

template <class Steps>
double Power(double base, double exponent) {
  if (std::isnan(base) || std::isnan(exponent)) {  // only in a fast run, after a step that failed
    Steps::Fail(MathErrorKind::InvalidOperation);
    return base + exponent;
  }
  if (base > 0) {
    if (const std::optional<double> quick = Shortcut(base, exponent)) return *quick;
    return ByLogarithm<Steps>(base, exponent);
  }
  if (base == 0) return 0.0;
  if (exponent != std::trunc(exponent)) {
    Steps::Fail(MathErrorKind::DivisionByZero);
    return 0.0;
  }
  if (!(exponent >= kInt32Min && exponent <= kInt32Max)) {
    Steps::Fail(MathErrorKind::InvalidOperation);
    return 0.0;
  }
  // t starts at the base and is multiplied (n >= 1) or divided (n <= 0) by it;
  // the rounding is symmetric, so the magnitudes run alone and every step
  // flips the sign.
  const auto n = static_cast<std::int64_t>(exponent);
  const std::int64_t steps = n >= 1 ? n - 1 : 1 - n;
  const double magnitude = RepeatedRoundedProduct<Steps>(-base, -base, steps, n <= 0);
  return steps % 2 == 0 ? -magnitude : magnitude;
}

template <class Steps>
double Factorial(std::int32_t n) {
  double result = 1.0;
  for (std::int32_t i = 2; i <= n; ++i) {
    result = Steps::Round(Steps::Mul(result, static_cast<Extended>(i)));
    if (std::isinf(result)) break;  // only a fast run gets here; its flag is raised
  }
  return result;
}

template double Power<FastSteps>(double, double);
template double Power<CheckedSteps>(double, double);
template double Factorial<FastSteps>(std::int32_t);
template double Factorial<CheckedSteps>(std::int32_t);

}  // namespace orbisk::formula
