#pragma once
// The five binary operators of the formula language on doubles: the
// operation in extended precision, the result rounded to double.

#include "formula/arithmetic_steps.h"
#include "formula/power.h"

namespace orbisk::formula {

// op is one of + - * / ^.
template <class Steps>
double ApplyOperator(char op, double a, double b) {
  switch (op) {
    case '+':
      return Steps::Round(Steps::Add(a, b));
    case '-':
      return Steps::Round(Steps::Sub(a, b));
    case '*':
      return Steps::Round(Steps::Mul(a, b));
    case '/':
      return Steps::Round(Steps::Div(a, b));
    default:
      return Power<Steps>(a, b);
  }
}

}  // namespace orbisk::formula
