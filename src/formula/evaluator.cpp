#include "formula/evaluator.h"

#include <type_traits>

#include "formula/binary_operators.h"
#include "formula/compiler.h"
#include "formula/function_library.h"

namespace orbisk::formula {

template <class Steps>
double RunProgram(const std::uint8_t* program, double* values, double* variables, Clock& clock) {
  const UnaryFunction* functions =
      (std::is_same_v<Steps, FastSteps> ? FastFunctions() : CheckedFunctions()).data();
  const std::uint8_t* pc = program;
  double a = 0.0;
  double b = 0.0;
  for (;;) {
    const std::uint8_t code = *pc;
    switch (code) {
      case kLoadA:
        a = values[pc[1]];
        pc += 2;
        break;
      case kLoadB:
        b = values[pc[1]];
        pc += 2;
        break;
      case kStoreA:
        values[pc[1]] = a;
        pc += 2;
        break;
      case kComputeR: {
        const Extended x = variables[1];
        const Extended y = variables[2];
        variables[3] = Steps::Round(Steps::Sqrt(Steps::Add(Steps::Mul(x, x), Steps::Mul(y, y))));
        ++pc;
        break;
      }
      case kLoadVariableA:
        a = variables[pc[1]];
        pc += 2;
        break;
      case kLoadVariableB:
        b = variables[pc[1]];
        pc += 2;
        break;
      case kStopA:
        return a;
      case kStopValue1:
        return values[1];
      case kAdd:
        a = Steps::Round(Steps::Add(a, b));
        ++pc;
        break;
      case kMultiply:
        a = Steps::Round(Steps::Mul(a, b));
        ++pc;
        break;
      case kSubtract:
        a = Steps::Round(Steps::Sub(a, b));
        ++pc;
        break;
      case kDivide:
        a = Steps::Round(Steps::Div(a, b));
        ++pc;
        break;
      case kPower:
        a = Power<Steps>(a, b);
        ++pc;
        break;
      default:
        if (code >= kFirstFunctionCode && code < kFirstFunctionCode + kFunctionCount) a = functions[code - kFirstFunctionCode](a, clock);
        ++pc;  // any other code does nothing
        break;
    }
  }
}

template double RunProgram<FastSteps>(const std::uint8_t*, double*, double*, Clock&);
template double RunProgram<CheckedSteps>(const std::uint8_t*, double*, double*, Clock&);

}  // namespace orbisk::formula
