#include "formula/formula_fault.h"

namespace orbisk::formula {

FormulaFault InExpression() { return {1, "in expression"}; }
FormulaFault BlankField() { return {2, "blank field"}; }
FormulaFault FormatAtNumber(int n) { return {3, "format at number " + std::to_string(n)}; }
FormulaFault OverflowAtNumber(int n) { return {4, "overflow or underflow at number " + std::to_string(n)}; }
FormulaFault UnknownSymbol(int pos) { return {5, "unknown symbol at pos " + std::to_string(pos)}; }
FormulaFault ParenthesisNotExpected(int pos) { return {6, "\")\" not expected at pos " + std::to_string(pos)}; }
FormulaFault ParenthesisExpected() { return {7, "\")\" expected"}; }
FormulaFault TooManyOperations() { return {8, "too many operations"}; }
FormulaFault WrongSign(int pos) { return {9, "wrong using of sign at pos " + std::to_string(pos)}; }

}  // namespace orbisk::formula
