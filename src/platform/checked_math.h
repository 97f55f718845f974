#pragma once
// Extended-precision arithmetic that raises the platform's floating-point
// failures (invalid operation, division by zero, overflow) the way the FPU
// reports them: an infinite or undefined result from finite or defined
// operands. The formula engine's checked steps, tracing and sampling all
// compute through these.

#include <cmath>

#include "platform/error.h"

namespace orbisk::checked {

// Raises MathError when `result` of an operation on a and b is a fault.
inline long double Check(long double result, long double a, long double b) {
  if (std::isnan(result) && !std::isnan(a) && !std::isnan(b)) {
    throw MathError(MathErrorKind::InvalidOperation);
  }
  if (std::isinf(result) && std::isfinite(a) && std::isfinite(b)) {
    throw MathError(MathErrorKind::Overflow);
  }
  return result;
}

inline long double Add(long double a, long double b) { return Check(a + b, a, b); }
inline long double Sub(long double a, long double b) { return Check(a - b, a, b); }
inline long double Mul(long double a, long double b) { return Check(a * b, a, b); }

// 0/0 is an invalid operation, finite/0 a division by zero.
inline long double Div(long double a, long double b) {
  if (b == 0 && std::isfinite(a)) {
    throw MathError(a == 0 ? MathErrorKind::InvalidOperation : MathErrorKind::DivisionByZero);
  }
  return Check(a / b, a, b);
}

// A store into a double: rounds to nearest, and overflows when a finite value
// rounds beyond the double range (a value that rounds down to the largest
// double does not).
inline double ToDouble(long double x) {
  const double rounded = static_cast<double>(x);
  if (std::isinf(rounded) && std::isfinite(x)) throw MathError(MathErrorKind::Overflow);
  return rounded;
}

}  // namespace orbisk::checked
