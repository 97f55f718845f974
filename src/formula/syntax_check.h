#pragma once
// Second stage: rejects foreign characters, unbalanced parentheses and
// misplaced operators, naming the position of the fault in the prepared text.

#include <string_view>

#include "formula/formula_fault.h"

namespace orbisk::formula {

// Code 0 with an empty message when the prepared text passes; else codes 2, 5, 6, 7 or 9.
FormulaFault CheckSyntax(std::string_view text);

}  // namespace orbisk::formula
