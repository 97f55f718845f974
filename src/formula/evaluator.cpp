#include "formula/evaluator.h"

#include <algorithm>
#include <array>
#include <type_traits>

#include "formula/compiler.h"
#include "formula/function_library.h"
#include "formula/power.h"

namespace orbisk::formula {

namespace {

// The handlers of the dispatch loop below, in the order of its label table.
enum Handler : std::uint8_t {
  kNoAction,
  kLoadAHandler,
  kLoadBHandler,
  kStoreAHandler,
  kComputeRHandler,
  kLoadVariableAHandler,
  kLoadVariableBHandler,
  kStopAHandler,
  kStopValue1Handler,
  kOperateHandler,
  kPowerHandler,
  kSquareRootHandler,
  kFunctionHandler,
};

constexpr std::uint8_t kSquareRootCode = kFirstFunctionCode + 5;

// The handler of every code byte; codes without an instruction do nothing.
constexpr std::array<std::uint8_t, 256> HandlerTable() {
  std::array<std::uint8_t, 256> table{};
  table[kLoadA] = kLoadAHandler;
  table[kLoadB] = kLoadBHandler;
  table[kStoreA] = kStoreAHandler;
  table[kComputeR] = kComputeRHandler;
  table[kLoadVariableA] = kLoadVariableAHandler;
  table[kLoadVariableB] = kLoadVariableBHandler;
  table[kStopA] = kStopAHandler;
  table[kStopValue1] = kStopValue1Handler;
  for (int code = kAdd; code <= kDivide; ++code) table[static_cast<std::size_t>(code)] = kOperateHandler;
  table[kPower] = kPowerHandler;
  for (int k = 0; k < kFunctionCount; ++k) table[static_cast<std::size_t>(kFirstFunctionCode + k)] = kFunctionHandler;
  table[kSquareRootCode] = kSquareRootHandler;
  return table;
}

constexpr std::array<std::uint8_t, 256> kHandlerOf = HandlerTable();

// The label of every code byte's handler, from the labels in Handler order.
std::array<void*, 256> LabelsByCode(void* const* labels) {
  std::array<void*, 256> byCode{};
  for (std::size_t code = 0; code < byCode.size(); ++code) byCode[code] = labels[kHandlerOf[code]];
  return byCode;
}

// A op B for op one of + * - / (codes 9 to 12), rounded to double.
template <class Steps>
[[gnu::always_inline]] inline double Operate(std::uint8_t code, Extended a, Extended b) {
  switch (code) {
    case kAdd:
      return Steps::Round(Steps::Add(a, b));
    case kMultiply:
      return Steps::Round(Steps::Mul(a, b));
    case kSubtract:
      return Steps::Round(Steps::Sub(a, b));
    default:
      return Steps::Round(Steps::Div(a, b));
  }
}

// "1 k" or "5 v" starts a group of the compiler: an operator group (load B,
// operator, store) or a function call group (function, store). A whole group
// runs at once, with the same effect as its bytes one by one. Returns the
// group's length with its result in a (and the right operand in b), or 0 when
// the bytes at pc form no group.
template <class Steps>
[[gnu::always_inline]] inline int RunGroup(const std::uint8_t* pc, const double* left, double* values,
                                           const double* variables, const UnaryFunction* functions, Clock& clock,
                                           double& a, double& b) {
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
    return 7;
  }
  if (second >= kFirstFunctionCode && second < kFirstFunctionCode + kFunctionCount && pc[3] == kStoreA) {
    double* target = &values[pc[4]];
    *target = second == kSquareRootCode ? Steps::Round(Steps::Sqrt(*left))
                                        : functions[second - kFirstFunctionCode](*left, clock);
    a = *target;
    return 5;
  }
  return 0;
}

// R := sqrt(X*X + Y*Y), the program's prologue.
template <class Steps>
[[gnu::always_inline]] inline void ComputeR(double* variables) {
  const Extended x = variables[1];
  const Extended y = variables[2];
  variables[3] = Steps::Round(Steps::Sqrt(Steps::Add(Steps::Mul(x, x), Steps::Mul(y, y))));
}

}  // namespace

// Threaded dispatch: every instruction ends with its own jump through the
// label of the next code byte's handler.
template <class Steps>
double RunProgram(const std::uint8_t* program, double* values, double* variables, Clock& clock) {
  static void* const labels[] = {&&no_action,       &&load_a,          &&load_b,  &&store_a,      &&compute_r,
                                 &&load_variable_a, &&load_variable_b, &&stop_a,  &&stop_value_1, &&operate,
                                 &&power,           &&square_root,     &&function};
  static const std::array<void*, 256> handlers = LabelsByCode(labels);
  const UnaryFunction* functions = (std::is_same_v<Steps, FastSteps> ? kFastFunctions : kCheckedFunctions).data();
  const std::uint8_t* pc = program;
  double a = 0.0;
  double b = 0.0;
  const double* left = nullptr;  // the operand of "1 k" or "5 v"

#define ORBISK_NEXT(length) \
  pc += (length);           \
  goto* handlers[*pc]

  goto* handlers[*pc];
load_a:
  left = &values[pc[1]];
  goto group;
load_variable_a:
  left = &variables[pc[1]];
group : {
  const int length = RunGroup<Steps>(pc, left, values, variables, functions, clock, a, b);
  if (length == 0) a = *left;
  ORBISK_NEXT(length == 0 ? 2 : length);
}
load_b:
  b = values[pc[1]];
  ORBISK_NEXT(2);
store_a:
  values[pc[1]] = a;
  ORBISK_NEXT(2);
compute_r:
  ComputeR<Steps>(variables);
  ORBISK_NEXT(1);
load_variable_b:
  b = variables[pc[1]];
  ORBISK_NEXT(2);
operate:
  a = Operate<Steps>(*pc, a, b);
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
