// EvalFormulaBlock against EvalFormula point by point: on generated formulas
// and point sets, every value, every failure, its kind and its place agree.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

#include "fixed_clock.h"
#include "formula/formula_engine.h"
#include "formula/function_library.h"
#include "platform/error.h"

namespace orbisk {
namespace {

std::uint64_t Bits(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

class FormulaMaker {
 public:
  explicit FormulaMaker(std::uint64_t seed) : random_(seed) {}

  std::string Make(int depth) {
    const int kind = Pick(depth <= 0 ? 2 : 6);
    if (kind == 0) return std::string(1, "xyr"[Pick(3)]);
    if (kind == 1) return Literal();
    if (kind <= 3) return Make(depth - 1) + std::string(1, "+-*/^"[Pick(5)]) + Make(depth - 1);
    if (kind == 4) return "(" + Make(depth - 1) + ")";
    return std::string(formula::kFunctionNames[static_cast<std::size_t>(Pick(formula::kFunctionCount))]) + "(" +
           Make(depth - 1) + ")";
  }

  // Points that reach every failure: zeros, the ends of the domains, huge
  // and tiny values, and ordinary ones.
  double Point() {
    static const double special[] = {0, 1, -1, 2, -2, 0.5, -0.5, 3, 1e-300, -1e300, 1e300, 710, -710, 1e19};
    if (Pick(3) == 0) return special[Pick(sizeof special / sizeof special[0])];
    return std::uniform_real_distribution<double>(-4, 4)(random_);
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

 private:
  std::string Literal() {
    static const char* const literals[] = {"2", "0.5", "3", "1e-3", "(-1.5)", "1e300", "0", "pi", "7.25", "(-2)"};
    return literals[Pick(sizeof literals / sizeof literals[0])];
  }

  std::mt19937_64 random_;
};

TEST(EvalFormulaBlock, MatchesEvalFormulaPointByPoint) {
  FormulaMaker maker(15);
  testing::FixedClock clock(43210987);
  FormulaEngine blocks, points;
  blocks.SetClock(clock);
  points.SetClock(clock);
  int formulas = 0, failures = 0;
  for (int round = 0; formulas < 1500 && round < 20000; ++round) {
    std::string formula = round < 4 ? std::vector<std::string>{"x", "2+3", "(r)", "1/x"}[round] : maker.Make(4);
    try {
      blocks.CompileFormula(formula);
      points.CompileFormula(formula);
    } catch (const MathError&) {
      continue;  // a constant part fails while folding
    }
    if (blocks.FormulaError() != 0) continue;
    ++formulas;
    SCOPED_TRACE(formula);
    const auto count = static_cast<std::size_t>(maker.Pick(600) + 1);  // one block, or several
    std::vector<double> x(count), y(count), results(count, 0.0);
    for (std::size_t k = 0; k < count; ++k) {
      x[k] = maker.Point();
      y[k] = maker.Point();
    }
    std::vector<PointFailure> blockFailures;
    blocks.EvalFormulaBlock(x, y, results, blockFailures);
    std::vector<PointFailure> pointFailures;
    for (std::size_t k = 0; k < count; ++k) {
      try {
        const double value = points.EvalFormula(x[k], y[k]);
        ASSERT_EQ(Bits(results[k]), Bits(value)) << "at (" << x[k] << ", " << y[k] << ")";
      } catch (const MathError& error) {
        pointFailures.push_back({k, error.kind()});
        EXPECT_EQ(results[k], 0.0) << "a failing point keeps its old result";
      }
    }
    ASSERT_EQ(blockFailures, pointFailures);
    failures += static_cast<int>(pointFailures.size());
  }
  EXPECT_EQ(formulas, 1500);
  EXPECT_GT(failures, 1000);  // the failures were reached, too
}

TEST(EvalFormulaBlock, NonFiniteCoordinatesFailAsInvalidOperations) {
  FormulaEngine engine;
  engine.CompileFormula("x+y");
  const double nan = std::nan("");
  std::vector<double> x = {1, nan, 3}, y = {1, 1, HUGE_VAL}, results(3, 0.0);
  std::vector<PointFailure> failures;
  engine.EvalFormulaBlock(x, y, results, failures);
  EXPECT_EQ(results[0], 2);
  EXPECT_EQ(failures,
            (std::vector<PointFailure>{{1, MathErrorKind::InvalidOperation}, {2, MathErrorKind::InvalidOperation}}));
}

}  // namespace
}  // namespace orbisk
