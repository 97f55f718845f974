#include "formula/constant_folding.h"

#include "formula/binary_operators.h"
#include "formula/formula_text.h"
#include "formula/function_library.h"
#include "formula/neighbour_rules.h"

namespace orbisk::formula {
namespace {

// True when an operand (or call) starting at position at stands alone on its left.
bool StartsOperand(std::string_view text, int at) { return at == 1 || IsOpening(At(text, at - 1)); }

// Replaces `length` characters from position at by one value mark.
void ReplaceByMark(std::string& text, int at, int length) { ReplaceBy(text, at, length, '.'); }

// "(.)" -> "." while the first occurrence stands alone.
bool FoldParentheses(std::string& text) {
  bool changed = false;
  for (int at = Find(text, "(.)"); at != 0 && StartsOperand(text, at); at = Find(text, "(.)")) {
    ReplaceByMark(text, at, 3);
    changed = true;
  }
  return changed;
}

// "NAME(.)" -> "." for the first occurrence of each name, in table order,
// sweeping the table until a sweep applies nothing.
bool FoldFunctions(std::string& text, ValueTable& table, Clock& clock) {
  bool changed = false;
  for (bool applied = true; applied;) {
    applied = false;
    for (int index = 0; index < kFunctionCount; ++index) {
      const std::string pattern = std::string(kFunctionNames[static_cast<std::size_t>(index)]) + "(.)";
      const int at = Find(text, pattern);
      if (at == 0 || !StartsOperand(text, at)) continue;
      const int k = CountMarks(text, at + Length(pattern) - 2);
      table[k] = kCheckedFunctions[static_cast<std::size_t>(index)](table[k], clock);
      ReplaceByMark(text, at, Length(pattern));
      applied = changed = true;
    }
  }
  return changed;
}

// ".^." -> "." from the right, so that "^" associates to the right.
bool FoldPowers(std::string& text, ValueTable& table) {
  bool changed = false;
  for (;;) {
    const auto found = text.rfind(".^.");
    if (found == std::string::npos) break;
    const int at = static_cast<int>(found) + 1;
    if (!(at + 2 == Length(text) || IsOneOf(At(text, at + 3), ")*+-/"))) break;
    const int k = CountMarks(text, at);
    table[k] = Power<CheckedSteps>(table[k], table[k + 1]);
    table.Remove(k + 1);
    ReplaceByMark(text, at, 3);
    changed = true;
  }
  return changed;
}

// Position of the leftmost ". op ." with op in ops, 0 if none.
int FindPair(std::string_view text, std::string_view ops) {
  for (int i = 1; i + 2 <= Length(text); ++i) {
    if (At(text, i) == '.' && IsOneOf(At(text, i + 1), ops) && At(text, i + 2) == '.') return i;
  }
  return 0;
}

// ". op ." -> "." for the leftmost pair while the neighbour rules allow it.
bool FoldPairs(std::string& text, ValueTable& table, std::string_view ops) {
  bool changed = false;
  for (int at = FindPair(text, ops); at != 0; at = FindPair(text, ops)) {
    const char op = PairOperator(At(text, at - 1), At(text, at + 1), At(text, at + 3));
    if (op == '\0') break;
    const int k = CountMarks(text, at);
    table[k] = ApplyOperator<CheckedSteps>(op, table[k], table[k + 1]);
    table.Remove(k + 1);
    ReplaceByMark(text, at, 3);
    changed = true;
  }
  return changed;
}

}  // namespace

void FoldConstants(std::string& text, ValueTable& table, Clock& clock) {
  while (text != ".") {
    bool changed = FoldParentheses(text);
    changed |= FoldFunctions(text, table, clock);
    changed |= FoldPowers(text, table);
    changed |= FoldPairs(text, table, "*/");
    changed |= FoldPairs(text, table, "+-");
    if (!changed) break;
  }
}

}  // namespace orbisk::formula
