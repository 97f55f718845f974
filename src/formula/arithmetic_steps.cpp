#include "formula/arithmetic_steps.h"

namespace orbisk::formula {

void FastSteps::Fail(MathErrorKind kind) {
  // Volatile operands keep the compiler from computing these at build time.
  volatile Extended zero = 0.0L;
  volatile Extended huge = 1e4000L;
  volatile Extended result;
  switch (kind) {
    case MathErrorKind::InvalidOperation:
      result = zero / zero;
      break;
    case MathErrorKind::DivisionByZero:
      result = 1.0L / zero;
      break;
    case MathErrorKind::Overflow:
      result = huge * huge;
      break;
  }
  (void)result;
}

}  // namespace orbisk::formula
