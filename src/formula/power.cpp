#include "formula/power.h"

#include <cmath>

#include "formula/repeated_product.h"

namespace orbisk::formula {
namespace {

constexpr Extended kInt32Min = -2147483648.0L;
constexpr Extended kInt32Max = 2147483647.0L;

}  // namespace

template <class Steps>
double PowerByLogarithm(double base, double exponent) {
  return Steps::Round(Steps::Exp(Steps::Mul(exponent, Steps::Ln(base))));
}

template <class Steps>
double PowerOfNonPositiveBase(double base, double exponent) {
  if (std::isnan(base) || std::isnan(exponent)) {  // only in a fast run, after a step that failed
    Steps::Fail(MathErrorKind::InvalidOperation);
    return base + exponent;
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

template double PowerByLogarithm<FastSteps>(double, double);
template double PowerByLogarithm<CheckedSteps>(double, double);
template double PowerOfNonPositiveBase<FastSteps>(double, double);
template double PowerOfNonPositiveBase<CheckedSteps>(double, double);
template double Factorial<FastSteps>(std::int32_t);
template double Factorial<CheckedSteps>(std::int32_t);

}  // namespace orbisk::formula
