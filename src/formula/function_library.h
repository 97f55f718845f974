#pragma once
// The 31 functions of the formula language. Entry i of the table has the
// instruction code 20 + i; name matching sweeps the table in this order.

#include <array>
#include <string_view>

#include "platform/clock.h"

namespace orbisk::formula {

inline constexpr int kFunctionCount = 31;
inline constexpr int kFirstFunctionCode = 20;

inline constexpr std::array<std::string_view, kFunctionCount> kFunctionNames = {
    "SIN",   "COS", "TG",   "ARCTG", "EXP", "SQRT",   "SQR",    "CUB",    "CUBRT", "CTG",   "FRAC",
    "INT",   "LG",  "LN",   "CH",    "SH",  "TH",     "CTH",    "ARCCH",  "ARCSH", "ARCTH", "SEC",
    "COSEC", "SGN", "FUCT", "ABS",   "RND", "ARCSIN", "ARCCOS", "ARCCTG", "ARCCTH"};

// A function of the table applied to one value; the clock feeds RND.
using UnaryFunction = double (*)(double x, Clock& clock);

// The functions in table order; the fast flavour leaves a failure in the
// floating-point status flags, the checked one raises MathError.
extern const std::array<UnaryFunction, kFunctionCount> kFastFunctions;
extern const std::array<UnaryFunction, kFunctionCount> kCheckedFunctions;

}  // namespace orbisk::formula
