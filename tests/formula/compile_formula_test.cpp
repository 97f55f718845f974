// CompileFormula: the byte programs it emits, the highest variable, the
// counted-length limit and the faults it reports.

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "formula/compiler.h"
#include "formula/formula_engine.h"
#include "platform/error.h"

namespace orbisk {
namespace {

// The program up to and including its first stop code.
std::vector<int> ProgramOf(const FormulaEngine& engine) {
  const std::vector<std::uint8_t> bytes = formula::ListProgram(engine.Program());
  return {bytes.begin(), bytes.end()};
}

struct ProgramCase {
  const char* name;
  std::string text;
  std::vector<int> program;
  std::vector<double> values;
  int highest;
};

TEST(CompileFormula, EmitsTheExpectedPrograms) {
  const std::vector<ProgramCase> cases = {
      {"lone x", "x", {5, 1, 7}, {}, 1},
      {"lone r", "r", {4, 5, 3, 7}, {}, 3},
      {"x in parentheses", "(x)", {5, 1, 7}, {}, 1},
      {"x in double parentheses", "((x))", {5, 1, 7}, {}, 1},
      {"r in parentheses", "(r)", {4, 5, 3, 7}, {}, 3},
      {"lone y makes x active too", "y", {5, 2, 7}, {}, 2},
      {"function call", "sin(x)", {5, 1, 20, 3, 1, 7}, {}, 1},
      {"last function of the table", "arccth(y)", {5, 2, 50, 3, 1, 7}, {}, 2},
      {"product and sum", "x*y+1", {5, 1, 6, 2, 10, 3, 2, 1, 2, 2, 1, 9, 3, 3, 7}, {1}, 2},
      {"constant formula", "2+3", {8}, {5}, 0},
      {"pi alone", "pi", {8}, {3.141592653589793}, 0},
      {"pair before a product is not folded",
       "x+2+3*y",
       {1, 2, 6, 2, 10, 3, 3, 5, 1, 2, 1, 9, 3, 4, 1, 4, 2, 3, 9, 3, 5, 7},
       {2, 3},
       2},
      {"power is right-associative", "x^y^2", {5, 2, 2, 1, 13, 3, 2, 5, 1, 2, 2, 13, 3, 3, 7}, {2}, 2},
      {"a/b*c becomes a/(b/c)", "x/2*3", {5, 1, 2, 1, 12, 3, 2, 7}, {2.0 / 3.0}, 1},
      {"a-b+c becomes a-(b-c)", "x-2+3", {5, 1, 2, 1, 11, 3, 2, 7}, {-1}, 1},
      {"flipped operator is emitted",
       "(x+1)/y/x",
       {5, 2, 6, 1, 10, 3, 2, 5, 1, 2, 1, 9, 3, 3, 1, 3, 2, 2, 12, 3, 4, 7},
       {1},
       2},
      {"operand bytes 7 and 8 are no stop codes",
       "x*(x+x+x+x+x+x+x)",
       {5, 1, 6, 1, 9, 3, 1, 1, 1, 6, 1, 9, 3, 2, 1, 2, 6, 1, 9, 3, 3, 1,  3, 6, 1,
        9, 3, 4, 1, 4, 6, 1, 9, 3, 5, 1, 5, 6, 1, 9, 3, 6, 5, 1, 2, 6, 10, 3, 7, 7},
       {},
       1},
      {"negated power", "-x^2", {5, 1, 2, 2, 13, 3, 3, 1, 1, 2, 3, 11, 3, 4, 7}, {0, 2}, 1},
      {"default formula",
       "r+sqrt((x-1)*(x-1))",
       {4, 5, 1, 2, 1, 11, 3, 3, 5, 1, 2, 2, 11, 3, 4, 1, 3, 2, 4, 10, 3, 5, 1, 5, 25, 3, 6, 5, 3, 2, 6, 9, 3, 7, 7},
       {1, 1},
       3},
      {"constant call folded inside a formula", "x+sin(0)", {5, 1, 2, 1, 9, 3, 2, 7}, {0}, 1},
      {"letters inside names are no variables", "exp(y)", {5, 2, 24, 3, 1, 7}, {}, 2},
  };
  FormulaEngine engine;
  for (const ProgramCase& c : cases) {
    SCOPED_TRACE(c.name);
    engine.CompileFormula(c.text);
    EXPECT_EQ(engine.FormulaError(), 0) << engine.FormulaMessage();
    EXPECT_EQ(ProgramOf(engine), c.program);
    EXPECT_EQ(engine.HighestVariable(), c.highest);
    ASSERT_EQ(engine.ValueCount(), static_cast<int>(c.values.size()));
    for (int k = 1; k <= engine.ValueCount(); ++k)
      EXPECT_EQ(engine.Value(k), c.values[static_cast<std::size_t>(k) - 1]);
  }
}

struct FaultCase {
  const char* name;
  std::string text;
  int code;
  std::string message;
};

TEST(CompileFormula, ReportsFaults) {
  const std::vector<FaultCase> cases = {
      {"unknown letter", "x*e", 1, "in expression"},
      {"sign after power", "x^-1", 1, "in expression"},
      {"unknown function", "foo(x)", 1, "in expression"},
      {"name without parentheses", "sin x", 1, "in expression"},
      {"juxtaposition", "2x", 1, "in expression"},
      {"pi glued to a digit", "2pi", 1, "in expression"},
      {"minus between parentheses", "(-(x))", 1, "in expression"},
      {"operator first", "*x", 1, "in expression"},
      {"power at the start", "^x", 1, "in expression"},
      {"power before a parenthesis", "(x^)", 1, "in expression"},
      {"stray point after a letter", "x.5^2", 1, "in expression"},
      {"overflowing literal survives", "x+1e400", 4, "overflow or underflow at number 1"},
      {"syntax", "x)", 6, "\")\" not expected at pos 2"},
  };
  FormulaEngine engine;
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    engine.CompileFormula(c.text);
    EXPECT_EQ(engine.FormulaError(), c.code);
    EXPECT_EQ(engine.FormulaMessage(), c.message);
  }
}

TEST(CompileFormula, AcceptsX_inParenthesesAfterPower) {
  FormulaEngine engine;
  engine.CompileFormula("x^(-1)");
  ASSERT_EQ(engine.FormulaError(), 0);
  EXPECT_EQ(engine.EvalFormula(4, 0), 0.25);
}

// "x+x+...+x" with the given number of operators.
std::string Sum(const char* term, int operators) {
  std::string text = term;
  for (int i = 0; i < operators; ++i) text += std::string("+") + term;
  return text;
}

TEST(CompileFormula, LimitsTheCountedLength) {
  FormulaEngine engine;
  engine.CompileFormula(Sum("x", 36));
  EXPECT_EQ(engine.FormulaError(), 0);
  EXPECT_EQ(ProgramOf(engine).size(), 253u);  // counted 252 and the final 7
  EXPECT_EQ(engine.EvalFormula(1, 0), 37);

  engine.CompileFormula(Sum("r", 36));
  EXPECT_EQ(engine.FormulaError(), 0);
  EXPECT_EQ(ProgramOf(engine).size(), 254u);  // counted 253 with the prologue
  EXPECT_EQ(engine.EvalFormula(3, 4), 185);

  engine.CompileFormula(Sum("x", 37));
  EXPECT_EQ(engine.FormulaError(), 8);
  EXPECT_EQ(engine.FormulaMessage(), "too many operations");
  EXPECT_EQ(ProgramOf(engine), std::vector<int>{7});
}

TEST(CompileFormula, TooManyOperationsWinsOverInExpression) {
  FormulaEngine engine;
  engine.CompileFormula(Sum("x", 40) + "*e");
  EXPECT_EQ(engine.FormulaError(), 8);
}

TEST(CompileFormula, LongestCallChainStaysWithin256Bytes) {
  // 51 calls of 5 counted bytes each make 255: the longest accepted program.
  std::string text = "x";
  for (int i = 0; i < 51; ++i) text = "tg(" + text + ")";
  FormulaEngine engine;
  engine.CompileFormula(text);
  EXPECT_EQ(engine.FormulaError(), 0);
  EXPECT_EQ(ProgramOf(engine).size(), 256u);

  text = "r";
  for (int i = 0; i < 51; ++i) text = "ln(" + text + ")";
  engine.CompileFormula(text);
  EXPECT_EQ(engine.FormulaError(), 8);
}

TEST(CompileFormula, SyntaxFaultKeepsThePreviousProgram) {
  FormulaEngine engine;
  engine.CompileFormula("x*2");
  engine.CompileFormula("x+");
  ASSERT_EQ(engine.FormulaError(), 9);
  engine.CompileFormula("x*2");
  EXPECT_EQ(engine.EvalFormula(3, 0), 6);
}

TEST(CompileFormula, FailingConstantPartRaises) {
  FormulaEngine engine;
  EXPECT_THROW(engine.CompileFormula("1/0+x"), MathError);
  EXPECT_THROW(engine.CompileFormula("ln(0)+x"), MathError);
}

TEST(CompileFormula, ConstantFormulaGivesItsValueEverywhere) {
  FormulaEngine engine;
  engine.CompileFormula("2+3");
  EXPECT_EQ(engine.EvalFormula(0, 0), 5);
  EXPECT_EQ(engine.EvalFormula(-7, 1e300), 5);
}

}  // namespace
}  // namespace orbisk
