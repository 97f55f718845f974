#pragma once
// Runs a compiled byte program for one point, dispatching on the code byte.

#include <cstdint>

#include "formula/arithmetic_steps.h"
#include "platform/clock.h"

namespace orbisk::formula {

// Runs the program from its first byte to its stop code and returns the
// result. values holds the value table (index = value index, intermediates
// are written into it); variables[1..3] are X, Y, R (R is written by the
// prologue). FastSteps leaves failures in the floating-point status flags,
// CheckedSteps raises MathError at the failing instruction.
template <class Steps>
double RunProgram(const std::uint8_t* program, double* values, double* variables, Clock& clock);

extern template double RunProgram<FastSteps>(const std::uint8_t*, double*, double*, Clock&);
extern template double RunProgram<CheckedSteps>(const std::uint8_t*, double*, double*, Clock&);

}  // namespace orbisk::formula
