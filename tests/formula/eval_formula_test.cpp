// EvalFormula: results at points, failures named by the failing instruction,
// independence from stale floating-point flags, and RND through a fixed clock.

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

#include "fixed_clock.h"
#include "formula/formula_engine.h"
#include "platform/error.h"

namespace orbisk {
namespace {

using Kind = MathErrorKind;

struct PointCase {
  const char* name;
  std::string formula;
  double x, y;
  double value;
};

TEST(EvalFormula, ComputesAtPoints) {
  const std::vector<PointCase> cases = {
      {"default formula", "r+sqrt((x-1)*(x-1))", 3, 4, 7},
      {"product and sum", "x*y+1", 2, 3, 7},
      {"pair before a product", "x+2+3*y", 1, 2, 9},
      {"power chain", "x^y^2", 2, 3, 512},
      {"quotient and product", "x/2*3", 4, 0, 6},
      {"difference and sum", "x-2+3", 4, 0, 5},
      {"negated square", "-x^2", 3, 0, -9},
      {"signed literal squared", "-2^2+x", 0, 0, 4},
      {"r in parentheses", "(r)", -3, -4, 5},
      {"parenthesised x", "((x))", 1.5, 0, 1.5},
      {"x to a parenthesised negative power", "x^(-1)", 4, 0, 0.25},
      {"r from huge coordinates", "r/1e300", 3e300, 4e300, 5},
      {"negative base, integer exponent", "x^y", -2, 3, -8},
      {"quotient chain with a blocked left pair", "(x+1)/y/x", 2, 3, 0.5},
  };
  FormulaEngine engine;
  for (const PointCase& c : cases) {
    SCOPED_TRACE(c.name);
    engine.CompileFormula(c.formula);
    ASSERT_EQ(engine.FormulaError(), 0) << engine.FormulaMessage();
    EXPECT_EQ(engine.EvalFormula(c.x, c.y), c.value);
  }
}

struct FailureCase {
  const char* name;
  std::string formula;
  double x, y;
  Kind kind;
};

TEST(EvalFormula, NamesTheKindOfTheFirstFailingInstruction) {
  const std::vector<FailureCase> cases = {
      {"division by zero", "1/x", 0, 0, Kind::DivisionByZero},
      {"zero by zero", "x/y", 0, 0, Kind::InvalidOperation},
      {"overflowing product", "x*y", 1e300, 1e300, Kind::Overflow},
      {"overflowing r", "r", 1.5e308, 1.5e308, Kind::Overflow},
      {"overflow before an invalid operation", "sqrt(x*x-y*y*y)", 1e200, 1e200, Kind::Overflow},
      {"division by zero before an overflow", "1/x+y*y", 0, 1e300, Kind::DivisionByZero},
      {"invalid operation later in the program", "exp(x)+ln(y)", 1, -1, Kind::InvalidOperation},
      {"exponential overflow inside th", "th(x)", 20000, 0, Kind::Overflow},
      {"integer conversion out of range", "fuct(x)", 1e10, 0, Kind::InvalidOperation},
      {"failing power", "x^y", -2, 0.5, Kind::DivisionByZero},
      // Found by fuzzing: 0/0 beyond the sine's range came out as NaN when
      // the compiler folded the division that raises the flag.
      {"tangent beyond the sine's range", "tg(x)", -1e300, 0, Kind::InvalidOperation},
      {"cotangent beyond the sine's range", "ctg(x)", 1e300, 0, Kind::InvalidOperation},
  };
  FormulaEngine engine;
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    engine.CompileFormula(c.formula);
    ASSERT_EQ(engine.FormulaError(), 0) << engine.FormulaMessage();
    try {
      const double value = engine.EvalFormula(c.x, c.y);
      ADD_FAILURE() << "returned " << value;
    } catch (const MathError& error) {
      EXPECT_EQ(error.kind(), c.kind);
    }
  }
}

TEST(EvalFormula, GoesOnAfterAFailingPoint) {
  FormulaEngine engine;
  engine.CompileFormula("1/x");
  EXPECT_THROW(engine.EvalFormula(0, 0), MathError);
  EXPECT_EQ(engine.EvalFormula(4, 0), 0.25);
  EXPECT_EQ(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW), 0);
}

TEST(EvalFormula, IgnoresFlagsRaisedBeforeItRan) {
  FormulaEngine engine;
  engine.CompileFormula("x+y");
  std::feraiseexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
  volatile long double zero = 0.0L;
  volatile long double quotient = zero / zero;  // the x87 unit's own flags too
  (void)quotient;
  EXPECT_EQ(engine.EvalFormula(1, 2), 3);
  EXPECT_EQ(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW), 0);
}

TEST(EvalFormula, RefusesNonFiniteCoordinates) {
  FormulaEngine engine;
  engine.CompileFormula("x*0+y*0");
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_THROW(engine.EvalFormula(nan, 0), MathError);
  EXPECT_THROW(engine.EvalFormula(0, inf), MathError);
}

TEST(EvalFormula, EvalConstantSharesTheValueTable) {
  // Callers compile again after EvalConstant; the program then runs as before.
  FormulaEngine engine;
  engine.CompileFormula("x*3+1");
  EXPECT_EQ(engine.EvalFormula(2, 0), 7);
  engine.EvalConstant("100+200");
  engine.CompileFormula("x*3+1");
  EXPECT_EQ(engine.EvalFormula(2, 0), 7);
}

std::uint32_t ExpectedK(int milliseconds) {
  const std::uint32_t seed = static_cast<std::uint32_t>(milliseconds) * 134775813u + 1u;
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(seed) * 65535u) >> 32);
}

TEST(Rnd, ReseedsFromTheClockAtEveryCall) {
  testing::FixedClock clock(12 * 3600 * 1000 + 34 * 60 * 1000 + 56 * 1000 + 789);
  FormulaEngine engine;
  engine.SetClock(clock);
  engine.CompileFormula("rnd(x)");
  ASSERT_EQ(engine.FormulaError(), 0);

  const double first = engine.EvalFormula(65535, 0);
  EXPECT_EQ(first, ExpectedK(45296789));
  EXPECT_EQ(engine.EvalFormula(65535, 0), first);  // same millisecond, same k
  clock.Set(45296790);
  EXPECT_EQ(engine.EvalFormula(65535, 0), ExpectedK(45296790));
  EXPECT_EQ(clock.Reads(), 3);
}

TEST(Rnd, StaysBelowItsArgument) {
  testing::FixedClock clock(0);
  FormulaEngine engine;
  engine.SetClock(clock);
  for (int ms : {0, 1, 999, 86399999, 3600000}) {
    clock.Set(ms);
    const double value = engine.EvalConstant("rnd(1)");
    EXPECT_GE(value, 0.0);
    EXPECT_LE(value, 65534.0 / 65535.0);
    EXPECT_EQ(value, static_cast<double>(1.0L * ExpectedK(ms) * (1.0L / 65535.0L)));
  }
}

std::uint64_t Bits(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// Folding and the evaluator give the same bits: every literal of a constant
// text in turn is replaced by x, and the formula is run at that literal.
TEST(EvalFormula, MatchesFoldingBitForBit) {
  struct Case {
    std::string before, after;
    double literal;
  };
  const std::vector<Case> cases = {
      {"", "/3*7+0.1", 1.1},    {"0.1+0.2*", "", 0.3},   {"sin(", ")+exp(2)", 1},         {"", "^0.3-1/3", 2.7},
      {"7/", "/3/11", 0.13},    {"1-", "-0.7+0.3", 0.1}, {"sqrt(", ")*cubrt(2)", 2},      {"arctg(", ")/(1+0.3)", 0.77},
      {"(1+", ")^(1/3)", 1e-7}, {"lg(", ")*ln(3)", 7},   {"2^0.5*3^0.5*", "", 1.0 / 3.0}, {"ch(", ")-sh(0.5)", 0.5},
  };
  FormulaEngine engine;
  for (const Case& c : cases) {
    char literal[40];
    std::snprintf(literal, sizeof literal, "(%.17g)", c.literal);
    const std::string constant = c.before + literal + c.after;
    SCOPED_TRACE(constant);
    const double folded = engine.EvalConstant(constant);
    ASSERT_EQ(engine.FormulaError(), 0);
    engine.CompileFormula(c.before + "x" + c.after);
    ASSERT_EQ(engine.FormulaError(), 0);
    EXPECT_EQ(Bits(engine.EvalFormula(c.literal, 0)), Bits(folded));
  }
}

}  // namespace
}  // namespace orbisk
