// The functions and the power operator at the edges of their domains. Every
// case runs twice: folded as a constant, and compiled with the argument as x,
// and both ways must agree to the bit or fail with the same kind.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

#include "formula/formula_engine.h"
#include "platform/error.h"

namespace orbisk {
namespace {

using Kind = MathErrorKind;

struct Outcome {
  std::optional<double> value;
  std::optional<Kind> failure;
};

std::uint64_t Bits(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

Outcome Folded(FormulaEngine& engine, const std::string& text) {
  try {
    const double value = engine.EvalConstant(text);
    EXPECT_EQ(engine.FormulaError(), 0) << text << ": " << engine.FormulaMessage();
    return {value, std::nullopt};
  } catch (const MathError& error) {
    return {std::nullopt, error.kind()};
  }
}

Outcome AtRuntime(FormulaEngine& engine, const std::string& formula, double x) {
  engine.CompileFormula(formula);
  EXPECT_EQ(engine.FormulaError(), 0) << formula << ": " << engine.FormulaMessage();
  try {
    return {engine.EvalFormula(x, 0.0), std::nullopt};
  } catch (const MathError& error) {
    return {std::nullopt, error.kind()};
  }
}

struct EdgeCase {
  const char* name;
  std::string function;  // called on the argument, or "^e" / "b^" for the power
  double argument;
  std::optional<double> value;  // exact expected value
  std::optional<Kind> failure = {};
  double tolerance = 0;  // relative, when the value is not exact
};

std::string Literal(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "(%.17g)", value);
  return buffer;
}

// The constant text and the formula in x of a case.
std::pair<std::string, std::string> Texts(const EdgeCase& c) {
  if (c.function.front() == '^') return {Literal(c.argument) + c.function, "x" + c.function};
  if (c.function.back() == '^') return {c.function + Literal(c.argument), c.function + "x"};
  return {c.function + "(" + Literal(c.argument) + ")", c.function + "(x)"};
}

void ExpectOutcome(const EdgeCase& c, const Outcome& outcome) {
  if (c.failure) {
    ASSERT_TRUE(outcome.failure.has_value()) << "value " << outcome.value.value_or(0);
    EXPECT_EQ(*outcome.failure, *c.failure);
    return;
  }
  ASSERT_TRUE(outcome.value.has_value()) << "failed with kind " << static_cast<int>(*outcome.failure);
  if (c.tolerance == 0) {
    EXPECT_EQ(*outcome.value, *c.value);
  } else {
    EXPECT_NEAR(*outcome.value, *c.value, c.tolerance * std::fabs(*c.value));
  }
}

TEST(FunctionLibrary, EdgeBehaviourFoldedAndAtRuntime) {
  const double halfPi = 1.5707963267948966;
  const std::vector<EdgeCase> cases = {
      {"sin of 2^63 is 0", "sin", 9223372036854775808.0, 0.0},
      {"cos of -2^63 is 0", "cos", -9223372036854775808.0, 0.0},
      {"sin just below 2^63 is computed", "sin", 9223372036854774784.0, std::nullopt, std::nullopt},
      {"tg of 2^63 is 0/0", "tg", 9223372036854775808.0, std::nullopt, Kind::InvalidOperation},
      {"ctg of 0", "ctg", 0.0, std::nullopt, Kind::DivisionByZero},
      {"ctg of 2^63", "ctg", 1e19, std::nullopt, Kind::InvalidOperation},
      {"sec of 2^63", "sec", 1e19, std::nullopt, Kind::DivisionByZero},
      {"cosec of 0", "cosec", 0.0, std::nullopt, Kind::DivisionByZero},
      {"cosec of 2^63", "cosec", -1e19, std::nullopt, Kind::DivisionByZero},
      {"exp below its limit", "exp", 709.782712893384, 1.7976931348622732e308, {}, 1e-15},
      {"exp beyond its limit", "exp", 709.7827128933841, std::nullopt, Kind::Overflow},
      {"exp of a very negative number", "exp", -1e6, 0.0},
      {"sqrt of a negative number", "sqrt", -1e-300, std::nullopt, Kind::InvalidOperation},
      {"sqr overflows", "sqr", 1.5e154, std::nullopt, Kind::Overflow},
      {"cub overflows", "cub", -6e102, std::nullopt, Kind::Overflow},
      {"cubrt of 0", "cubrt", 0.0, std::nullopt, Kind::DivisionByZero},
      {"cubrt of 27", "cubrt", 27.0, 3.0, {}, 3e-16},
      {"cubrt of -8", "cubrt", -8.0, -2.0, {}, 3e-16},
      {"frac keeps the sign", "frac", -2.75, -0.75},
      {"int truncates", "int", -2.75, -2.0},
      {"int has no integer range", "int", 1e300, 1e300},
      {"lg of 1000", "lg", 1000.0, 3.0, {}, 3e-16},
      {"lg of 0", "lg", 0.0, std::nullopt, Kind::DivisionByZero},
      {"lg of a negative number", "lg", -1.0, std::nullopt, Kind::InvalidOperation},
      {"ln of 0", "ln", 0.0, std::nullopt, Kind::DivisionByZero},
      {"ln of -1", "ln", -1.0, std::nullopt, Kind::InvalidOperation},
      {"ch within range", "ch", 710.4758600739439, 1.7976931348623e308, {}, 1e-12},
      {"ch beyond range", "ch", -710.476, std::nullopt, Kind::Overflow},
      {"sh of 711", "sh", 711.0, std::nullopt, Kind::Overflow},
      {"th of 800", "th", 800.0, 1.0},
      {"th of -11356", "th", -11356.0, -1.0},
      {"th of 20000", "th", 20000.0, std::nullopt, Kind::Overflow},
      {"cth of 0", "cth", 0.0, std::nullopt, Kind::DivisionByZero},
      {"cth of 20000", "cth", -20000.0, std::nullopt, Kind::Overflow},
      {"arcch below 1", "arcch", 0.5, std::nullopt, Kind::InvalidOperation},
      {"arcch of 1", "arcch", 1.0, 0.0},
      {"arcsh cancels to 0", "arcsh", -5e9, std::nullopt, Kind::DivisionByZero},
      {"arcsh of a large positive number", "arcsh", 5e9, 23.025850929940457, {}, 5e-16},
      {"arcth of 0.5", "arcth", 0.5, 0.5493061443340549},
      {"arcth of 1", "arcth", 1.0, std::nullopt, Kind::DivisionByZero},
      {"arcth of -1", "arcth", -1.0, std::nullopt, Kind::DivisionByZero},
      {"arcth beyond 1", "arcth", 2.0, std::nullopt, Kind::InvalidOperation},
      {"sgn of -0", "sgn", -0.0, 0.0},
      {"sgn of a tiny negative", "sgn", -5e-324, -1.0},
      {"fuct rounds 2.5 to 2", "fuct", 2.5, 2.0},
      {"fuct rounds 3.5 to 4", "fuct", 3.5, 24.0},
      {"fuct of a negative number", "fuct", -3.0, 1.0},
      {"fuct of 170", "fuct", 170.0, 7.257415615307994e306},
      {"fuct of 171", "fuct", 171.0, std::nullopt, Kind::Overflow},
      {"fuct of a huge number", "fuct", 2147483647.0, std::nullopt, Kind::Overflow},
      {"fuct beyond 32 bits", "fuct", 2147483647.5, std::nullopt, Kind::InvalidOperation},
      {"abs", "abs", -2.5, 2.5},
      {"arcsin of 1", "arcsin", 1.0, halfPi},
      {"arcsin of -1", "arcsin", -1.0, -halfPi},
      {"arcsin beyond 1", "arcsin", 1.0000001, std::nullopt, Kind::DivisionByZero},
      {"arccos of 1", "arccos", 1.0, 0.0},
      {"arccos of -1", "arccos", -1.0, 3.141592653589793},
      {"arccos of 0", "arccos", 0.0, halfPi},
      {"arccos of -0.5", "arccos", -0.5, 2.0943951023931957},
      {"arccos beyond -1", "arccos", -1.5, std::nullopt, Kind::DivisionByZero},
      {"arcctg of 0", "arcctg", 0.0, halfPi},
      {"arcctg of -1", "arcctg", -1.0, -0.7853981633974483},
      {"arccth of 2", "arccth", 2.0, 0.5493061443340549},
      {"arccth of 1", "arccth", 1.0, std::nullopt, Kind::DivisionByZero},
      {"arccth of -1", "arccth", -1.0, std::nullopt, Kind::DivisionByZero},
      {"arccth inside (-1, 1)", "arccth", 0.5, std::nullopt, Kind::InvalidOperation},
      {"0^0 is 0", "0^", 0.0, 0.0},
      {"0^-1 is 0", "0^", -1.0, 0.0},
      {"(-2)^3", "^3", -2.0, -8.0},
      {"(-2)^-2", "(-2)^", -2.0, 0.25},
      {"(-2)^0", "(-2)^", 0.0, 1.0},
      {"(-2)^0.5", "(-2)^", 0.5, std::nullopt, Kind::DivisionByZero},
      {"(-2)^2^40", "(-2)^", 1099511627776.0, std::nullopt, Kind::InvalidOperation},
      {"(-2)^2000 overflows", "(-2)^", 2000.0, std::nullopt, Kind::Overflow},
      {"(-1)^(2^31-1) by its parity", "(-1)^", 2147483647.0, -1.0},
      {"(-0.5)^(2^31-1) underflows to -0", "(-0.5)^", 2147483647.0, -0.0},
      // A base within a hair of -1 never settles: all 2^31 rounded steps are
      // taken, in bounded time.
      {"(-0.9999999)^(2^31-1) finishes", "(-0.9999999)^", 2147483647.0, -5.444595237395892e-94, {}, 1e-8},
      {"(-0.9999999)^(-2^31) finishes", "(-0.9999999)^", -2147483648.0, 1.8366840075301748e93, {}, 1e-8},
      {"2^0.5", "2^", 0.5, 1.4142135623730951, {}, 3e-16},
      {"10^400 overflows", "10^", 400.0, std::nullopt, Kind::Overflow},
      {"2^-1e6 is 0", "2^", -1e6, 0.0},
  };
  FormulaEngine engine;
  for (const EdgeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto [constant, formula] = Texts(c);
    const Outcome folded = Folded(engine, constant);
    const Outcome runtime = AtRuntime(engine, formula, c.argument);
    if (c.value || c.failure) {
      ExpectOutcome(c, folded);
      ExpectOutcome(c, runtime);
    }
    // Folding and the evaluator compute the very same bits.
    EXPECT_EQ(folded.failure, runtime.failure);
    if (folded.value && runtime.value) {
      EXPECT_EQ(Bits(*folded.value), Bits(*runtime.value));
    }
  }
}

}  // namespace
}  // namespace orbisk
