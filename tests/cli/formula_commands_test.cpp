// orbisk-cli eval, compile and eval-at: the exact output forms and exit codes.

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace orbisk::cli {
namespace {

struct CliCase {
  const char* name;
  Args args;
  int exitCode;
  std::string out;
  std::string err;
};

TEST(FormulaCommands, PrintExactForms) {
  const std::vector<CliCase> cases = {
      {"two pi", {"eval", "2*pi"}, 0, "6.2831853071795862\n", ""},
      {"constant with functions", {"eval", "sin(1)+exp(2)"}, 0, "8.2305270837385471\n", ""},
      {"negative zero stays visible", {"eval", "-0"}, 0, "-0\n", ""},
      {"overflowing literal", {"eval", "1e400"}, 1, "", "error 4: overflow or underflow at number 1\n"},
      {"syntax fault", {"eval", "x)"}, 1, "", "error 6: \")\" not expected at pos 2\n"},
      {"variable in a constant", {"eval", "x"}, 1, "", "error 1: in expression\n"},
      {"math error", {"eval", "1/0"}, 2, "", "Floating point division by zero\n"},
      {"program of a formula",
       {"compile", "x*y+1"},
       0,
       "program: 5 1 6 2 10 3 2 1 2 2 1 9 3 3 7\nvalues: 1\nhighest: 2\n",
       ""},
      {"program without values", {"compile", "sin(x)"}, 0, "program: 5 1 20 3 1 7\nvalues:\nhighest: 1\n", ""},
      {"constant program", {"compile", "pi"}, 0, "program: 8\nvalues: 3.1415926535897931\nhighest: 0\n", ""},
      {"too many operations",
       {"compile", "x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x+x"},
       1,
       "",
       "error 8: too many operations\n"},
      {"failing constant part", {"compile", "ln(0)+x"}, 2, "", "Floating point division by zero\n"},
      {"value at a point", {"eval-at", "r+sqrt((x-1)*(x-1))", "3", "4"}, 0, "7\n", ""},
      {"division by zero at a point", {"eval-at", "1/x", "0", "0"}, 2, "", "Floating point division by zero\n"},
      {"fault before evaluation", {"eval-at", "x*e", "1", "1"}, 1, "", "error 1: in expression\n"},
      {"coordinate that is no number",
       {"eval-at", "x", "1,5", "0"},
       64,
       "",
       "orbisk-cli: '1,5' is not a finite number\n"},
      {"coordinate that is not finite",
       {"eval-at", "x", "0", "inf"},
       64,
       "",
       "orbisk-cli: 'inf' is not a finite number\n"},
      {"missing argument", {"eval"}, 64, "", "usage: orbisk-cli eval TEXT\n"},
  };
  for (const CliCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunCli(c.args, out, err), c.exitCode);
    EXPECT_EQ(out.str(), c.out);
    EXPECT_EQ(err.str(), c.err);
  }
}

TEST(FormulaCommands, CutTextsTo255Characters) {
  std::string text;
  for (int i = 0; i < 127; ++i) text += "1+";
  text += "1";  // 255 characters
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunCli({"eval", text + "+1000"}, out, err), 0);
  EXPECT_EQ(out.str(), "128\n");
}

}  // namespace
}  // namespace orbisk::cli
