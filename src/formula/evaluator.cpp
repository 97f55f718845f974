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
  // A handler for every code byte; codes without an instruction do nothing.
  static void* const handlers[] = {
      &&no_action, &&load_a, &&load_b, &&store_a, &&compute_r, &&load_variable_a, &&load_variable_b, &&stop_a,
      &&stop_value_1, &&add, &&multiply, &&subtract, &&divide, &&power, &&no_action, &&no_action, &&no_action,
      &&no_action, &&no_action, &&no_action,
      // 20..50: the function table
      &&function, &&function, &&function, &&function, &&function, &&square_root, &&function, &&function, &&function,
      &&function, &&function, &&function, &&function, &&function, &&function, &&function, &&function, &&function,
      &&function, &&function, &&function, &&function, &&function, &&function, &&function, &&function, &&function,
      &&function, &&function, &&function, &&function,
  // 51..255
#define ORBISK_NONE5 &&no_action, &&no_action, &&no_action, &&no_action, &&no_action
#define ORBISK_NONE25 ORBISK_NONE5, ORBISK_NONE5, ORBISK_NONE5, ORBISK_NONE5, ORBISK_NONE5
      ORBISK_NONE25, ORBISK_NONE25, ORBISK_NONE25, ORBISK_NONE25, ORBISK_NONE25, ORBISK_NONE25, ORBISK_NONE25,
      ORBISK_NONE25, ORBISK_NONE5};
#undef ORBISK_NONE25
#undef ORBISK_NONE5
  static_assert(sizeof handlers / sizeof handlers[0] == 256);
  const UnaryFunction* functions = (std::is_same_v<Steps, FastSteps> ? kFastFunctions : kCheckedFunctions).data();
  const std::uint8_t* pc = program;
  double a = 0.0;
  double b = 0.0;
  const double* left = nullptr;  // the operand of "1 k" or "5 v"
  constexpr std::uint8_t kSquareRootCode = kFirstFunctionCode + 5;

#define ORBISK_NEXT(length) \
  pc += (length);           \
  goto* handlers[*pc]

  goto* handlers[*pc];
// "1 k" or "5 v" starts a group of the compiler: an operator group
// (load B, operator, store) or a function call group (function, store). A
// whole group runs in one dispatch, with the same effect as its bytes one by
// one; bytes in any other order run one instruction at a time.
load_a:
  left = &values[pc[1]];
  goto group;
load_variable_a:
  left = &variables[pc[1]];
group : {
  const std::uint8_t second = pc[2];
  if ((second == kLoadB || second == kLoadVariableB) && pc[5] == kStoreA && pc[4] >= kAdd && pc[4] <= kPower) {
    const double* right = (second == kLoadB ? values : variables) + pc[3];
    double* target = &values[pc[6]];
    if (pc[4] == kPower) {
      *target = Power<Steps>(*left, *right);
    } else {
      Steps::Operate(pc[4], left, right, target);
    }
    b = *right;
    a = *target;
    ORBISK_NEXT(7);
  }
  if (second >= kFirstFunctionCode && second < kFirstFunctionCode + kFunctionCount && pc[3] == kStoreA) {
    double* target = &values[pc[4]];
    if (second == kSquareRootCode) {
      *target = Steps::Round(Steps::Sqrt(*left));
    } else {
      *target = functions[second - kFirstFunctionCode](*left, clock);
    }
    a = *target;
    ORBISK_NEXT(5);
  }
  a = *left;
  ORBISK_NEXT(2);
}
load_b:
  b = values[pc[1]];
  ORBISK_NEXT(2);
store_a:
  values[pc[1]] = a;
  ORBISK_NEXT(2);
compute_r : {
  const Extended x = variables[1];
  const Extended y = variables[2];
  variables[3] = Steps::Round(Steps::Sqrt(Steps::Add(Steps::Mul(x, x), Steps::Mul(y, y))));
  ORBISK_NEXT(1);
}
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
