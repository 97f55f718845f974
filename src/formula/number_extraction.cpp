#include "formula/number_extraction.h"

#include <locale.h>

#include <clocale>
#include <cmath>
#include <cstdlib>

#include "formula/formula_text.h"

namespace orbisk::formula {
namespace {

bool IsSign(char c) { return c == '+' || c == '-'; }

// Position where the next literal starts at or after p, 0 when there is none.
int FindLiteral(std::string_view text, int p) {
  if (p == 1 && IsSign(At(text, 1)) && IsDigit(At(text, 2))) return 1;
  const int length = Length(text);
  for (; p <= length; ++p) {
    if (IsDigit(At(text, p))) return p;
    // A signed literal right after an opening parenthesis.
    if (IsSign(At(text, p)) && IsDigit(At(text, p + 1)) && At(text, p - 1) == '(' && 1 < p && p < length) return p;
  }
  return 0;
}

// Position just after the literal starting at start: sign, digits, fraction, exponent.
int LiteralEnd(std::string_view text, int start) {
  int q = start;
  if (IsSign(At(text, q))) ++q;
  while (IsDigit(At(text, q))) ++q;
  if (At(text, q) == '.') {
    ++q;
    while (IsDigit(At(text, q))) ++q;
  }
  if (At(text, q) == 'E') {
    ++q;
    if (q <= Length(text)) ++q;  // the exponent sign
    while (IsDigit(At(text, q))) ++q;
  }
  return q;
}

// Decimal conversion in extended precision (independent of the locale), rounded to double.
FormulaFault Convert(const std::string& literal, int n, double& value) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  char* end = nullptr;
  const long double extended = strtold_l(literal.c_str(), &end, cLocale);
  const double rounded = static_cast<double>(extended);
  if (end != literal.c_str() + literal.size()) {
    value = std::isfinite(rounded) ? rounded : 0.0;
    return FormatAtNumber(n);
  }
  if (!std::isfinite(rounded)) {
    value = 0.0;
    return OverflowAtNumber(n);
  }
  value = rounded;  // too small for a double: a denormal or 0, not a fault
  return {};
}

// "PI" standing alone as an operand becomes a value mark holding pi.
void ExtractPi(std::string& text, ValueTable& table) {
  for (int i = 1;; ++i) {
    if (At(text, i) == 'P' && At(text, i + 1) == 'I') {
      if (text == "PI") {
        table.Clear();
        table.Append(kPi);
        text.assign(1, '.');
        return;
      }
      const int length = Length(text);
      const bool alone = (i == 1 && IsClosing(At(text, 3))) || (i == length - 1 && IsOpening(At(text, i - 1))) ||
                         (i > 1 && i < length - 1 && IsOpening(At(text, i - 1)) && IsClosing(At(text, i + 2)));
      if (alone) {
        const int k = 1 + CountMarks(text, i);
        ReplaceBy(text, i, 2, '.');
        table.Insert(k, kPi);
      }
    }
    if (!(i < Length(text) - 1)) return;
  }
}

}  // namespace

FormulaFault ExtractNumbers(std::string& text, ValueTable& table) {
  table.Clear();
  FormulaFault fault;
  int n = 0;
  for (int p = 1; p <= Length(text);) {
    const int start = FindLiteral(text, p);
    if (start == 0) break;
    const int end = LiteralEnd(text, start);
    const std::string literal = text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(end - start));
    double value = 0.0;
    FormulaFault literalFault = Convert(literal, ++n, value);
    if (literalFault.code != 0) fault = std::move(literalFault);  // the last faulty literal is named
    ReplaceBy(text, start, Length(literal), '.');
    table.Append(value);
    p = start + 1;
  }
  ExtractPi(text, table);
  return fault;
}

}  // namespace orbisk::formula
