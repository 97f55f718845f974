// The three front stages: normalising the text, the syntax check with its
// exact messages and positions, and the extraction of literals and PI.

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "formula/number_extraction.h"
#include "formula/syntax_check.h"
#include "formula/text_preparation.h"

namespace orbisk::formula {
namespace {

struct PrepareCase {
  const char* name;
  std::string typed;
  std::string prepared;
};

TEST(PrepareText, NormalisesShorthandForms) {
  const std::vector<PrepareCase> cases = {
      {"blanks and tabs vanish, also inside numbers", "1 2\t+ x", "12+X"},
      {"letters are upper-cased", "Sin (x)", "SIN(X)"},
      {"exponent gains its sign", "1e5", "1E+5"},
      {"signed exponent stays", "1e-3", "1E-3"},
      {"exponent without digits", "2e", "2E+"},
      {"lone point", ".", "0.0"},
      {"trailing point", "5.", "5.0"},
      {"leading point", ".5*2", "0.5*2"},
      {"point after an operator", "x*.5", "X*0.5"},
      {"point before an operator", "5.*x", "5.0*X"},
      {"point before the exponent", "1.e5", "1.0E+5"},
      {"double star is the power", "2**3", "2^3"},
      {"double star before a point", "2**.5", "2^0.5"},
      {"signed point literal stays signed", "(-.5)", "(-0.5)"},
      {"leading minus before a letter", "-x^2", "0-X^2"},
      {"leading minus before a parenthesis", "-(x)", "0-(X)"},
      {"leading minus before a digit stays", "-2^2", "-2^2"},
      {"leading plus goes", "+x", "X"},
      {"leading plus before a digit goes", "+2", "2"},
      {"minus after a parenthesis before a letter", "(-x)", "(0-X)"},
      {"plus after a parenthesis before a letter", "(+x)", "(X)"},
      {"minus between parentheses stays", "(-(x))", "(-(X))"},
      {"foreign characters stay", "x;2", "X;2"},
  };
  for (const PrepareCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = c.typed;
    PrepareText(text);
    EXPECT_EQ(text, c.prepared);
  }
}

TEST(PrepareText, InsertionsNeverGrowBeyond255Characters) {
  std::string text(254, '1');
  text += "E";  // the exponent sign would be the 256th character
  PrepareText(text);
  EXPECT_EQ(text.size(), 255u);
  EXPECT_EQ(text.back(), 'E');

  std::string points;
  for (int i = 0; i < 127; ++i) points += "+.";
  points = "1" + points;  // every "." gains a "0" on both sides
  PrepareText(points);
  EXPECT_EQ(points.size(), 255u);
}

struct SyntaxCase {
  const char* name;
  std::string typed;
  int code;
  std::string message;
};

TEST(CheckSyntax, ReportsTheFirstFaultWithItsPosition) {
  const std::vector<SyntaxCase> cases = {
      {"accepted", "sin(x)+2*(-3)", 0, ""},
      {"power sign is not checked", "2^-1", 0, ""},
      {"operator in first position passes", "*x", 0, ""},
      {"blank text", "   ", 2, "blank field"},
      {"empty text", "", 2, "blank field"},
      {"semicolon", "x;2", 5, "unknown symbol at pos 2"},
      {"decimal comma", "3,5", 5, "unknown symbol at pos 2"},
      {"equals sign", "x=1", 5, "unknown symbol at pos 2"},
      {"non-ASCII byte", "x\xd0\xb9", 5, "unknown symbol at pos 2"},
      {"position is in the prepared text", "  x  ;", 5, "unknown symbol at pos 2"},
      {"closing without opening", "x)", 6, "\")\" not expected at pos 2"},
      {"closing first", ")(", 6, "\")\" not expected at pos 1"},
      {"unclosed", "(x", 7, "\")\" expected"},
      {"empty parentheses", "()", 9, "wrong using of sign at pos 2"},
      {"sign after sign", "2*-3", 9, "wrong using of sign at pos 3"},
      {"sign after sign across blanks", "1 + * 2", 9, "wrong using of sign at pos 3"},
      {"sign before closing", "(x+)", 9, "wrong using of sign at pos 4"},
      {"sign at the end", "x+", 9, "wrong using of sign at pos 2"},
      {"unknown symbol wins over parentheses", "(x;", 5, "unknown symbol at pos 3"},
  };
  for (const SyntaxCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = c.typed;
    PrepareText(text);
    const FormulaFault fault = CheckSyntax(text);
    EXPECT_EQ(fault.code, c.code);
    EXPECT_EQ(fault.message, c.message);
  }
}

struct ExtractCase {
  const char* name;
  std::string typed;
  std::string marked;
  std::vector<double> values;
  int code;
  std::string message;
};

TEST(ExtractNumbers, ReplacesLiteralsAndPiByValueMarks) {
  const std::vector<ExtractCase> cases = {
      {"plain literals", "12+3.5*x", ".+.*X", {12, 3.5}, 0, ""},
      {"exponent", "1e-3", ".", {0.001}, 0, ""},
      {"leading sign belongs to the literal", "-2^2", ".^.", {-2, 2}, 0, ""},
      {"sign after a parenthesis belongs to the literal", "(-0.5)", "(.)", {-0.5}, 0, ""},
      {"sign after an operator does not", "x^-1", "X^-.", {1}, 0, ""},
      {"pi alone", "pi", ".", {kPi}, 0, ""},
      {"pi keeps its place among the values", "1+pi*2", ".+.*.", {1, kPi, 2}, 0, ""},
      {"pi in a call", "sin(pi)", "SIN(.)", {kPi}, 0, ""},
      {"pi at the start", "Pi*2", ".*.", {kPi, 2}, 0, ""},
      {"two pis", "pi*pi", ".*.", {kPi, kPi}, 0, ""},
      {"pi glued to a digit stays", "2pi", ".PI", {2}, 0, ""},
      {"pi glued to a letter stays", "pix", "PIX", {}, 0, ""},
      {"too large for a double", "1e400", ".", {0}, 4, "overflow or underflow at number 1"},
      {"too small is zero", "1e-400", ".", {0}, 0, ""},
      {"exponent without digits", "2e+x", ".X", {2}, 3, "format at number 1"},
      {"the last faulty literal is named",
       "1e400+2e+x+1e999",
       ".+.X+.",
       {0, 2, 0},
       4,
       "overflow or underflow at number 3"},
  };
  for (const ExtractCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = c.typed;
    PrepareText(text);
    ValueTable table;
    const FormulaFault fault = ExtractNumbers(text, table);
    EXPECT_EQ(text, c.marked);
    ASSERT_EQ(table.count, static_cast<int>(c.values.size()));
    for (int k = 1; k <= table.count; ++k) EXPECT_EQ(table[k], c.values[static_cast<std::size_t>(k) - 1]) << k;
    EXPECT_EQ(fault.code, c.code);
    EXPECT_EQ(fault.message, c.message);
  }
}

TEST(ExtractNumbers, PiIsTheDoubleNearestToPi) {
  std::string text = "PI";
  ValueTable table;
  ExtractNumbers(text, table);
  std::uint64_t bits;
  std::memcpy(&bits, &table[1], sizeof bits);
  EXPECT_EQ(bits, 0x400921FB54442D18u);
}

}  // namespace
}  // namespace orbisk::formula
