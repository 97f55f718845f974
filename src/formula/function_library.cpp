#include "formula/function_library.h"

#include <cmath>
#include <cstdint>

#include "formula/arithmetic_steps.h"
#include "formula/power.h"

namespace orbisk::formula {
namespace {

constexpr double kHalfPi = 1.5707963267948966;  // bits 3FF921FB54442D18
constexpr double kPiDouble = 3.141592653589793;
constexpr Extended kOneThird = 1.0L / 3.0L;
constexpr Extended kOneOver65535 = 1.0L / 65535.0L;
const Extended kLn10 = logl(10.0L);  // one value for every flavour

Extended SgnX(Extended x) { return x > 0 ? 1.0L : x < 0 ? -1.0L : 0.0L; }

template <class S>
double Sin(double x, Clock&) {
  return S::Round(SinX(x));
}
template <class S>
double Cos(double x, Clock&) {
  return S::Round(CosX(x));
}
template <class S>
double Tg(double x, Clock&) {
  return S::Round(S::Div(SinX(x), CosX(x)));
}
template <class S>
double Arctg(double x, Clock&) {
  return S::Round(atanl(x));
}
template <class S>
double Exp(double x, Clock&) {
  return S::Round(S::Exp(x));
}
template <class S>
double Sqrt(double x, Clock&) {
  return S::Round(S::Sqrt(x));
}
template <class S>
double Sqr(double x, Clock&) {
  return S::Round(S::Mul(x, x));
}
template <class S>
double Cub(double x, Clock&) {
  return S::Round(S::Mul(S::Mul(x, x), x));
}
template <class S>
double Cubrt(double x, Clock&) {
  const Extended sign = SgnX(x);
  return S::Round(S::Mul(sign, S::Exp(S::Mul(S::Ln(fabsl(x)), kOneThird))));
}
template <class S>
double Ctg(double x, Clock&) {
  return S::Round(S::Div(CosX(x), SinX(x)));
}
template <class S>
double Frac(double x, Clock&) {
  return S::Round(S::Sub(x, truncl(x)));
}
template <class S>
double Int(double x, Clock&) {
  return S::Round(truncl(x));
}
template <class S>
double Lg(double x, Clock&) {
  return S::Round(S::Div(S::Ln(x), kLn10));
}
template <class S>
double Ln(double x, Clock&) {
  return S::Round(S::Ln(x));
}
template <class S>
double Ch(double x, Clock&) {
  return S::Round(S::Div(S::Add(S::Exp(x), S::Exp(-x)), 2.0L));
}
template <class S>
double Sh(double x, Clock&) {
  return S::Round(S::Div(S::Sub(S::Exp(x), S::Exp(-x)), 2.0L));
}
template <class S>
double Th(double x, Clock&) {
  return S::Round(S::Div(S::Sub(S::Exp(x), S::Exp(-x)), S::Add(S::Exp(x), S::Exp(-x))));
}
template <class S>
double Cth(double x, Clock&) {
  return S::Round(S::Div(S::Add(S::Exp(x), S::Exp(-x)), S::Sub(S::Exp(x), S::Exp(-x))));
}
template <class S>
double Arcch(double x, Clock&) {
  return S::Round(S::Ln(S::Add(x, S::Sqrt(S::Sub(S::Mul(x, x), 1.0L)))));
}
template <class S>
double Arcsh(double x, Clock&) {
  return S::Round(S::Ln(S::Add(x, S::Sqrt(S::Add(S::Mul(x, x), 1.0L)))));
}
template <class S>
double Arcth(double x, Clock&) {
  return S::Round(S::Ln(S::Sqrt(S::Div(S::Add(1.0L, x), S::Sub(1.0L, x)))));
}
template <class S>
double Sec(double x, Clock&) {
  return S::Round(S::Div(1.0L, CosX(x)));
}
template <class S>
double Cosec(double x, Clock&) {
  return S::Round(S::Div(1.0L, SinX(x)));
}
template <class S>
double Sgn(double x, Clock&) {
  return static_cast<double>(SgnX(x));
}
template <class S>
double Fuct(double x, Clock&) {
  const Extended n = nearbyintl(x);  // to nearest, ties to even
  if (!(n >= -2147483648.0L && n <= 2147483647.0L)) {
    S::Fail(MathErrorKind::InvalidOperation);
    return 0.0;
  }
  return Factorial<S>(static_cast<std::int32_t>(n));
}
template <class S>
double Abs(double x, Clock&) {
  return std::fabs(x);
}
template <class S>
double Rnd(double x, Clock& clock) {
  // The generator is reseeded from the time of day at every call.
  auto seed = static_cast<std::uint32_t>(clock.MillisecondsSinceMidnightUtc());
  seed = seed * 134775813u + 1u;
  const auto k = static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed) * 65535u) >> 32);
  return S::Round(S::Mul(S::Mul(x, static_cast<Extended>(k)), kOneOver65535));
}
template <class S>
double Arcsin(double x, Clock&) {
  if (x == 1) return kHalfPi;
  if (x == -1) return -kHalfPi;
  if (std::fabs(x) > 1) {
    S::Fail(MathErrorKind::DivisionByZero);
    return 0.0;
  }
  return S::Round(atanl(S::Div(x, S::Sqrt(S::Sub(1.0L, S::Mul(x, x))))));
}
template <class S>
double Arccos(double x, Clock&) {
  if (x == 1) return 0.0;
  if (x == -1) return kPiDouble;
  if (std::fabs(x) > 1) {
    S::Fail(MathErrorKind::DivisionByZero);
    return 0.0;
  }
  return S::Round(acosl(x));
}
template <class S>
double Arcctg(double x, Clock&) {
  if (x == 0) return kHalfPi;
  return S::Round(atanl(S::Div(1.0L, x)));
}
template <class S>
double Arccth(double x, Clock&) {
  return S::Round(S::Ln(S::Sqrt(S::Add(S::Div(2.0L, S::Sub(x, 1.0L)), 1.0L))));
}

template <class S>
constexpr std::array<UnaryFunction, kFunctionCount> kTable = {
    &Sin<S>,   &Cos<S>, &Tg<S>,    &Arctg<S>,  &Exp<S>,    &Sqrt<S>,   &Sqr<S>,   &Cub<S>,
    &Cubrt<S>, &Ctg<S>, &Frac<S>,  &Int<S>,    &Lg<S>,     &Ln<S>,     &Ch<S>,    &Sh<S>,
    &Th<S>,    &Cth<S>, &Arcch<S>, &Arcsh<S>,  &Arcth<S>,  &Sec<S>,    &Cosec<S>, &Sgn<S>,
    &Fuct<S>,  &Abs<S>, &Rnd<S>,   &Arcsin<S>, &Arccos<S>, &Arcctg<S>, &Arccth<S>};

}  // namespace

const std::array<UnaryFunction, kFunctionCount> kFastFunctions = kTable<FastSteps>;
const std::array<UnaryFunction, kFunctionCount> kCheckedFunctions = kTable<CheckedSteps>;

}  // namespace orbisk::formula
