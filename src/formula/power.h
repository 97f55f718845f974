#pragma once
// The power operator and the factorial, in both arithmetic flavours.

#include <cstdint>

#include "formula/arithmetic_steps.h"

namespace orbisk::formula {

// base ^ exponent: e^(exponent * ln base) for base > 0; 0 for base 0 (also
// 0^0 and negative exponents); for base < 0 repeated multiplication or
// division by the base, each step rounded to double, when the exponent is an
// integer of 32 bits (invalid operation beyond), else division by zero.
template <class Steps>
double Power(double base, double exponent);

// n! with every product rounded to double; 1 for n <= 1; 171! overflows.
template <class Steps>
double Factorial(std::int32_t n);

extern template double Power<FastSteps>(double, double);
extern template double Power<CheckedSteps>(double, double);
extern template double Factorial<FastSteps>(std::int32_t);
extern template double Factorial<CheckedSteps>(std::int32_t);

}  // namespace orbisk::formula
