#include "formula/evaluator.h"

#include <algorithm>
#include <type_traits>

#include "formula/compiler.h"
#include "formula/function_library.h"
#include "formula/power.h"

namespace orbisk::formula {

// Threaded dispatch: every instruction ends with its own jump through the
// table of handlers indexed by the next code byte.
template <class Steps>
double RunProgram(const std::uint8_t* program, double* values, double* variables, Clock& clock) {
  // Codes 0..50 by their handlers; every code from 51 on does nothing.
  static void* const handlers[] = {
      &&no_action, &&load_a, &&load_b, &&store_a, &&compute_r, &&load_variable_a, &&load_variable_b, &&stop_a,
      &&stop_value_1, &&add, &&multiply, &&subtract, &&divide, &&power, &&no_action, &&no_action, &&no_action,
      &&no_action, &&no_action, &&no_action,
      // 20..50: the function table
      &&function, &&function, &&function, &&function, &&function, &&square_root, &&function, &&function, &&function,
      &&function, &&function, &&function, &&function, &&function, &&function, &&function, &&function, &&function,
      &&function, &&function, &&function, &&function, &&function, &&function, &&function, &&function, &&function,
      &&function, &&function, &&function, &&function,
      &&no_action};
  static_assert(sizeof handlers / sizeof handlers[0] == kFirstFunctionCode + kFunctionCount + 1);
  constexpr std::uint8_t kLastHandler = kFirstFunctionCode + kFunctionCount;
  const UnaryFunction* functions = (std::is_same_v<Steps, FastSteps> ? kFastFunctions : kCheckedFunctions).data();
  const std::uint8_t* pc = program;
  double a = 0.0;
  double b = 0.0;

#define ORBISK_NEXT(length) \
  pc += (length);           \
  goto* handlers[std::min(*pc, kLastHandler)]

  goto* handlers[std::min(*pc, kLastHandler)];
load_a:
  a = values[pc[1]];
  ORBISK_NEXT(2);
load_b:
  b = values[pc[1]];
  ORBISK_NEXT(2);
store_a:
  values[pc[1]] = a;
  ORBISK_NEXT(2);
compute_r: {
  const Extended x = variables[1];
  const Extended y = variables[2];
  variables[3] = Steps::Round(Steps::Sqrt(Steps::Add(Steps::Mul(x, x), Steps::Mul(y, y))));
  ORBISK_NEXT(1);
}
load_variable_a:
  a = variables[pc[1]];
  ORBISK_NEXT(2);
load_variable_b:
  b = variables[pc[1]];
  ORBISK_NEXT(2);
add:
  a = Steps::Round(Steps::Add(a, b));
  ORBISK_NEXT(1);
multiply:
  a = Steps::Round(Steps::Mul(a, b));
  ORBISK_NEXT(1);
subtract:
  a = Steps::Round(Steps::Sub(a, b));
  ORBISK_NEXT(1);
divide:
  a = Steps::Round(Steps::Div(a, b));
  ORBISK_NEXT(1);
power:
  a = Power<Steps>(a, b);
  ORBISK_NEXT(1);
square_root:  // SQRT, the most common function, without a call
  a = Steps::Round(Steps::Sqrt(a));
  ORBISK_NEXT(1);
function:
  a = functions[*pc - kFirstFunctionCode](a, clock);
  ORBISK_NEXT(1);
no_action:
  ORBISK_NEXT(1);
stop_a:
  return a;
stop_value_1:
  return values[1];
#undef ORBISK_NEXT
}

template double RunProgram<FastSteps>(const std::uint8_t*, double*, double*, Clock&);
template double RunProgram<CheckedSteps>(const std::uint8_t*, double*, double*, Clock&);

}  // namespace orbisk::formula
