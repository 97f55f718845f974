#pragma once
// The engine's report of a faulty text: a code 0..9 and its fixed message.

#include <cstdint>
#include <string>

namespace orbisk::formula {

struct FormulaFault {
  std::uint8_t code = 0;  // 0 = no fault
  std::string message;    // empty when code is 0

  bool operator==(const FormulaFault&) const = default;
};

// The faults, one maker per code; n is a literal's ordinal, pos a text position.
FormulaFault InExpression();                   // 1
FormulaFault BlankField();                     // 2
FormulaFault FormatAtNumber(int n);            // 3
FormulaFault OverflowAtNumber(int n);          // 4
FormulaFault UnknownSymbol(int pos);           // 5
FormulaFault ParenthesisNotExpected(int pos);  // 6
FormulaFault ParenthesisExpected();            // 7
FormulaFault TooManyOperations();              // 8
FormulaFault WrongSign(int pos);               // 9

}  // namespace orbisk::formula
