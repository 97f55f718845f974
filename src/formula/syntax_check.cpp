#include "formula/syntax_check.h"

#include "formula/formula_text.h"

namespace orbisk::formula {
namespace {

bool IsFormulaCharacter(char c) { return c == ' ' || IsOneOf(c, "()*+-./^") || IsDigit(c) || IsLetter(c); }

bool IsArithmeticSign(char c) { return IsOneOf(c, "*+-/"); }

}  // namespace

FormulaFault CheckSyntax(std::string_view text) {
  const int length = Length(text);
  for (int i = 1; i <= length; ++i) {
    if (!IsFormulaCharacter(At(text, i))) return UnknownSymbol(i);
  }
  int depth = 0;
  for (int i = 1; i <= length; ++i) {
    if (At(text, i) == '(') ++depth;
    if (At(text, i) == ')' && --depth < 0) return ParenthesisNotExpected(i);
  }
  if (depth > 0) return ParenthesisExpected();
  for (int i = 2; i <= length; ++i) {
    const char c = At(text, i);
    const char before = At(text, i - 1);
    // "^" takes part in neither test: its misuse fails when the text is reduced.
    if ((c == ')' && IsOneOf(before, "(*+-/")) || (IsArithmeticSign(c) && IsArithmeticSign(before))) {
      return WrongSign(i);
    }
  }
  if (IsArithmeticSign(At(text, length))) return WrongSign(length);
  if (length == 0) return BlankField();
  return {};
}

}  // namespace orbisk::formula
