#include "formula/neighbour_rules.h"

#include "formula/formula_text.h"

namespace orbisk::formula {

char PairOperator(char before, char op, char after) {
  const bool multiplicative = op == '*' || op == '/';
  const bool freeRight = after == '\0' || IsOneOf(after, ")+-") || (IsOneOf(after, "*/") && multiplicative);
  if (before == '\0') {
    const bool folds = after == '\0' || IsOneOf(after, "+-") || (IsOneOf(after, "*/") && multiplicative);
    return folds ? op : '\0';
  }
  char result = '\0';
  if (IsOneOf(before, "(+-") && multiplicative) {
    result = op;
  } else if (before == '(' && !multiplicative) {
    result = op;
  } else if (before == '*' && multiplicative) {
    result = op;
  } else if (before == '+' && !multiplicative) {
    result = op;
  } else if (before == '/' && multiplicative) {
    result = op == '*' ? '/' : '*';
  } else if (before == '-' && !multiplicative) {
    result = op == '+' ? '-' : '+';
  }
  return freeRight ? result : '\0';
}

}  // namespace orbisk::formula
