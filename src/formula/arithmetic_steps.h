#pragma once
// The primitive steps of the engine's arithmetic, in extended precision, in
// two flavours that compute bit-identical results:
// - FastSteps only computes; a failing step leaves its floating-point status
//   flag raised (and an infinity or NaN behind), which the evaluator tests once
//   after a whole run of the program.
// - CheckedSteps tests every step and raises MathError of the failing step's
//   kind at once; folding uses it, and the evaluator when a fast run failed.
// Inputs of a checked step are always finite: every earlier step was checked.

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/checked_math.h"
#include "platform/error.h"

namespace orbisk::formula {

using Extended = long double;
static_assert(std::numeric_limits<Extended>::digits == 64, "the engine computes with a 64-bit significand");

// The floating-point status flags that mean a step failed.
inline constexpr int kFailureFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// Natural logarithm by the x87 instructions (near 1 from x - 1, which is
// exact there, for accuracy). Its failures raise the x87 flags, as every
// other fast step's do.
inline Extended NaturalLog(Extended x) {
  Extended result;
  if (fabsl(x - 1.0L) < 0.29L) {
    asm("fldln2\n\tfxch\n\tfyl2xp1" : "=t"(result) : "0"(x - 1.0L) : "st(1)");
  } else {
    asm("fldln2\n\tfxch\n\tfyl2x" : "=t"(result) : "0"(x) : "st(1)");
  }
  return result;
}

// Square root by the x87 instruction, whatever the optimisation level.
inline Extended SquareRoot(Extended x) {
  asm("fsqrt" : "+t"(x));
  return x;
}

// Sine and cosine of the extended argument by the x87 instructions; 0 from
// 2^63 on, where the instructions refuse to reduce the argument.
inline Extended SinX(Extended x) {
  if (fabsl(x) >= 9223372036854775808.0L) return 0.0L;
  asm("fsin" : "+t"(x));
  return x;
}
inline Extended CosX(Extended x) {
  if (fabsl(x) >= 9223372036854775808.0L) return 0.0L;
  asm("fcos" : "+t"(x));
  return x;
}

struct FastSteps {
  static Extended Add(Extended a, Extended b) { return a + b; }
  static Extended Sub(Extended a, Extended b) { return a - b; }
  static Extended Mul(Extended a, Extended b) { return a * b; }
  static Extended Div(Extended a, Extended b) { return a / b; }
  static Extended Sqrt(Extended x) { return SquareRoot(x); }
  static Extended Ln(Extended x) { return NaturalLog(x); }
  static Extended Exp(Extended x) { return expl(x); }
  // A store into a double: rounds to nearest; raises the overflow flag beyond the double range.
  static double Round(Extended x) { return static_cast<double>(x); }
  // target := left op right for op one of + - * / (codes 9 to 12), as one
  // extended operation straight from and to memory, rounded by the store.
  static void Operate(std::uint8_t code, const double* left, const double* right, double* target) {
    switch (code) {
      case 9:
        asm("fldl %1\n\tfaddl %2\n\tfstpl %0" : "=m"(*target) : "m"(*left), "m"(*right));
        break;
      case 10:
        asm("fldl %1\n\tfmull %2\n\tfstpl %0" : "=m"(*target) : "m"(*left), "m"(*right));
        break;
      case 11:
        asm("fldl %1\n\tfsubl %2\n\tfstpl %0" : "=m"(*target) : "m"(*left), "m"(*right));
        break;
      default:
        asm("fldl %1\n\tfdivl %2\n\tfstpl %0" : "=m"(*target) : "m"(*left), "m"(*right));
        break;
    }
  }
  // A failure that no arithmetic step shows by itself: raises the kind's flag.
  static void Fail(MathErrorKind kind);
};

// True when a failure flag is raised in the x87 status word. Every fast step
// computes on the x87 unit, so this is where its failures show. Inline, as
// the evaluator asks once per point.
inline bool FailureFlagRaised() {
  std::uint16_t status;
  asm volatile("fnstsw %0" : "=am"(status) : : "memory");
  return (status & (0x01 | 0x04 | 0x08)) != 0;  // invalid, zero divide, overflow
}
struct CheckedSteps {
  static Extended Add(Extended a, Extended b) { return checked::Add(a, b); }
  static Extended Sub(Extended a, Extended b) { return checked::Sub(a, b); }
  static Extended Mul(Extended a, Extended b) { return checked::Mul(a, b); }
  static Extended Div(Extended a, Extended b) { return checked::Div(a, b); }
  static Extended Sqrt(Extended x) {
    if (x < 0) Fail(MathErrorKind::InvalidOperation);
    return SquareRoot(x);
  }
  static Extended Ln(Extended x) {
    if (x == 0) Fail(MathErrorKind::DivisionByZero);
    if (x < 0) Fail(MathErrorKind::InvalidOperation);
    return NaturalLog(x);
  }
  static Extended Exp(Extended x) { return checked::Check(expl(x), x, x); }
  static double Round(Extended x) { return checked::ToDouble(x); }
  static void Operate(std::uint8_t code, const double* left, const double* right, double* target) {
    const Extended l = *left;
    const Extended r = *right;
    *target = Round(code == 9 ? Add(l, r) : code == 10 ? Mul(l, r) : code == 11 ? Sub(l, r) : Div(l, r));
  }
  [[noreturn]] static void Fail(MathErrorKind kind) { throw MathError(kind); }
};

}  // namespace orbisk::formula
