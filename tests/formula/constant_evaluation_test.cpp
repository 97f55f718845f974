// EvalConstant: values of constant texts, the order of the folding passes and
// the error state it leaves.

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "formula/formula_engine.h"
#include "platform/error.h"

namespace orbisk {
namespace {

struct ValueCase {
  const char* name;
  std::string text;
  double value;
};

TEST(EvalConstant, FoldsToTheExactValue) {
  const std::vector<ValueCase> cases = {
      {"two pi", "2*pi", 6.283185307179586},
      {"both functions in the first cycle", "sin(1)+exp(2)", 8.230527083738547},
      {"right-associative power", "2^3^2", 512},
      {"division chain", "8/2/2", 2},
      {"division then product", "8/2*2", 8},
      {"subtraction chain", "10-2-3", 5},
      {"subtraction then addition", "10-2+3", 11},
      {"product before sum", "2+3*4", 14},
      {"sum in parentheses", "(2+3)*4", 20},
      {"signed literal squared", "-2^2", 4},
      {"double star", "2**3", 8},
      {"lone point", ".", 0},
      {"trailing point", "5.", 5},
      {"leading point", ".5*2", 1},
      {"signed point literal", "(-.5)", -0.5},
      {"blank inside a number", "1 2", 12},
      {"tiny literal", "1e-400", 0},
      {"nested calls", "sqrt(sqr(3)+sqr(4))", 5},
      {"call of an expression", "sin(2*pi/4)", 1},
      {"arcsin and sin side by side", "arcsin(1)-sin(0)", 1.5707963267948966},
      {"signed literal after a parenthesis", "2*(-3)", -6},
      {"power of a sum", "(1+1)^(2+1)", 8},
      {"case and blanks", "  Sin ( 0 ) + PI ", 3.141592653589793},
  };
  FormulaEngine engine;
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.name);
    const double value = engine.EvalConstant(c.text);
    EXPECT_EQ(engine.FormulaError(), 0) << engine.FormulaMessage();
    EXPECT_EQ(value, c.value);
  }
}

struct FaultCase {
  const char* name;
  std::string text;
  int code;
  std::string message;
};

TEST(EvalConstant, ReportsFaultsInTheErrorState) {
  const std::vector<FaultCase> cases = {
      {"variable", "x", 1, "in expression"},
      {"unknown name", "foo(1)", 1, "in expression"},
      {"name without parentheses", "sin 1", 1, "in expression"},
      {"juxtaposition", "2pi", 1, "in expression"},
      {"sign after power", "2^-1", 1, "in expression"},
      {"operator first", "*2", 1, "in expression"},
      {"minus between parentheses", "(-(1))", 1, "in expression"},
      {"overflowing literal", "1e400", 4, "overflow or underflow at number 1"},
      {"format fault replaced by in expression", "2e+x", 1, "in expression"},
      {"syntax fault", "2*-3", 9, "wrong using of sign at pos 3"},
      {"blank", " \t ", 2, "blank field"},
  };
  FormulaEngine engine;
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    engine.EvalConstant(c.text);
    EXPECT_EQ(engine.FormulaError(), c.code);
    EXPECT_EQ(engine.FormulaMessage(), c.message);
  }
}

TEST(EvalConstant, EveryCallStartsWithAClearErrorState) {
  FormulaEngine engine;
  engine.EvalConstant("x");
  ASSERT_EQ(engine.FormulaError(), 1);
  EXPECT_EQ(engine.EvalConstant("1+1"), 2);
  EXPECT_EQ(engine.FormulaError(), 0);
  EXPECT_EQ(engine.FormulaMessage(), "");
}

TEST(EvalConstant, TextsAreCutTo255Characters) {
  // 127 terms "1+" and a final "1" make 255 characters; what follows is cut.
  std::string text;
  for (int i = 0; i < 127; ++i) text += "1+";
  text += "1";
  FormulaEngine engine;
  EXPECT_EQ(engine.EvalConstant(text + "+1000"), 128);
  EXPECT_EQ(engine.FormulaError(), 0);
}

struct MathCase {
  const char* name;
  std::string text;
  MathErrorKind kind;
};

TEST(EvalConstant, FailingComputationsRaiseTheirKind) {
  const std::vector<MathCase> cases = {
      {"division by zero", "1/0", MathErrorKind::DivisionByZero},
      {"zero by zero", "0/0", MathErrorKind::InvalidOperation},
      {"overflowing product", "1e308*10", MathErrorKind::Overflow},
      {"overflowing sum", "1.7e308+1.7e308", MathErrorKind::Overflow},
      {"logarithm of zero", "ln(0)", MathErrorKind::DivisionByZero},
      {"functions apply in table order", "ln(0)+sqrt(-1)", MathErrorKind::InvalidOperation},
  };
  FormulaEngine engine;
  for (const MathCase& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      engine.EvalConstant(c.text);
      ADD_FAILURE() << "no error";
    } catch (const MathError& error) {
      EXPECT_EQ(error.kind(), c.kind);
      EXPECT_STREQ(error.what(), MathError::MessageFor(c.kind));
    }
    EXPECT_EQ(engine.FormulaError(), 0);
  }
}

}  // namespace
}  // namespace orbisk
