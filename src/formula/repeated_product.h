#pragma once
// The long chain of rounded products behind a negative base raised to an
// integer: t := round_to_double(t * m), or t / m, in extended precision, up to
// 2^31 times. The result is exactly the one the literal loop gives, found in
// bounded time.

#include <cstdint>

#include "formula/arithmetic_steps.h"

namespace orbisk::formula {

// `steps` times t := round_to_double(t * m) (t / m when divide), each step in
// extended precision, for t >= 0 and m > 0 finite. A step that overflows fails
// as Steps say (fast: +inf with the overflow flag raised; checked: MathError).
template <class Steps>
double RepeatedRoundedProduct(double t, double m, std::int64_t steps, bool divide);

extern template double RepeatedRoundedProduct<FastSteps>(double, double, std::int64_t, bool);
extern template double RepeatedRoundedProduct<CheckedSteps>(double, double, std::int64_t, bool);

}  // namespace orbisk::formula
