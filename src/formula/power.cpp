#include "formula/power.h"

#include <cmath>

namespace orbisk::formula {
namespace {

constexpr Extended kInt32Min = -2147483648.0L;
constexpr Extended kInt32Max = 2147483647.0L;

// Steps taken one by one before the rest is done in closed form: about a
// hundredth of a second of work.
constexpr std::int64_t kLiteralSteps = std::int64_t{1} << 22;

// t multiplied (or divided) by a negative base `steps` times, each result
// rounded to double. Once the magnitude stops changing (a fixed point of the
// rounding, or 0) only the sign still alternates, so the rest is skipped.
// Only a base within a hair of -1 can keep changing for kLiteralSteps steps;
// rather than run up to 2^31 steps (half a minute for one point), the rest is
// then computed as |t| * |base|^(±steps) in extended precision, which is the
// more accurate value of the two anyway.
template <class Steps>
double RepeatByNegativeBase(double t, double base, std::int64_t steps, bool multiply) {
  for (std::int64_t taken = 0; steps > 0; ++taken) {
    if (taken == kLiteralSteps) {
      const Extended power =
          Steps::Exp(Steps::Mul(multiply ? Extended(steps) : -Extended(steps), Steps::Ln(std::fabs(base))));
      const double magnitude = Steps::Round(Steps::Mul(std::fabs(t), power));
      const bool negative = (t < 0) != (steps % 2 == 1);
      return negative ? -magnitude : magnitude;
    }
    const double next = Steps::Round(multiply ? Steps::Mul(t, base) : Steps::Div(t, base));
    --steps;
    if (std::isinf(next)) return next;  // only a fast run gets here; its flag is raised
    if (std::fabs(next) == std::fabs(t)) return steps % 2 == 0 ? next : -next;
    t = next;
  }
  return t;
}

}  // namespace

template <class Steps>
double Power(double base, double exponent) {
  if (base > 0) return Steps::Round(Steps::Exp(Steps::Mul(exponent, Steps::Ln(base))));
  if (base == 0) return 0.0;
  if (exponent != std::trunc(exponent)) {
    Steps::Fail(MathErrorKind::DivisionByZero);
    return 0.0;
  }
  if (!(exponent >= kInt32Min && exponent <= kInt32Max)) {
    Steps::Fail(MathErrorKind::InvalidOperation);
    return 0.0;
  }
  const auto n = static_cast<std::int64_t>(exponent);
  if (n >= 1) return RepeatByNegativeBase<Steps>(base, base, n - 1, true);
  return RepeatByNegativeBase<Steps>(base, base, 1 - n, false);
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
