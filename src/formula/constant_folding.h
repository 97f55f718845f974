#pragma once
// Evaluates every constant sub-expression of the working text in place,
// replacing it by one value mark. For a constant text that is the whole
// evaluation; for a formula the compiler takes over what is left.

#include <string>

#include "formula/value_table.h"
#include "platform/clock.h"

namespace orbisk::formula {

// Repeats cycles of five passes (parentheses, functions, power, * and /,
// + and -) until the text is "." or a cycle changes nothing. Raises MathError
// when a constant computation fails; the text and table are unusable then.
void FoldConstants(std::string& text, ValueTable& table, Clock& clock);

}  // namespace orbisk::formula
