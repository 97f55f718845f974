#pragma once
// When a pair "left op right" of the working text may be reduced, judged from
// the characters around it. Operator precedence and associativity of the
// formula language follow from these rules and the order of the passes.

namespace orbisk::formula {

// The operator to apply to the pair, or '\0' when the pair must wait.
// before: the character just before the left operand ('\0' at the start);
// after: the character just after the right operand ('\0' at the end).
// A pair after "/" or "-" is applied with the flipped operator, so that
// a/b*c becomes a/(b/c) and a-b-c becomes a-(b+c).
char PairOperator(char before, char op, char after);

}  // namespace orbisk::formula
