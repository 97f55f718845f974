// orbisk-cli eval TEXT: the value of a constant expression.

#include "cli/commands.h"
#include "cli/formula_output.h"

namespace orbisk::cli {

int RunEval(const ParsedArgs& parsed, std::ostream& out, std::ostream& err) {
  const Args& args = parsed.positionals;
  return CatchMathError(err, [&] {
    FormulaEngine engine;
    const double value = engine.EvalConstant(args[0]);
    if (ReportFormulaFault(engine, err)) return 1;
    out << FormatValue(value) << "\n";
    return 0;
  });
}

}  // namespace orbisk::cli
