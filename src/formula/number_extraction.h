#pragma once
// Third stage: replaces every numeric literal and the constant PI by a value
// mark "." and collects their values, left to right, in the value table.

#include <string>

#include "formula/formula_fault.h"
#include "formula/value_table.h"

namespace orbisk::formula {

// Refills table from text (which must have passed CheckSyntax). Returns the
// fault of the last literal that failed to convert (code 3 or 4), else code 0.
FormulaFault ExtractNumbers(std::string& text, ValueTable& table);

// pi as a double (bits 400921FB54442D18).
inline constexpr double kPi = 3.141592653589793;

}  // namespace orbisk::formula
