// orbisk-cli compile TEXT: the byte program, the constants and the highest
// variable of a formula.

#include "cli/commands.h"
#include "cli/formula_output.h"
#include "formula/compiler.h"

namespace orbisk::cli {

int RunCompile(const ParsedArgs& parsed, std::ostream& out, std::ostream& err) {
  const Args& args = parsed.positionals;
  return CatchMathError(err, [&] {
    FormulaEngine engine;
    engine.CompileFormula(args[0]);
    if (ReportFormulaFault(engine, err)) return 1;
    // The values left by folding are the constants; intermediates lie above them.
    const int constants = engine.ValueCount();
    out << "program:";
    for (std::uint8_t byte : formula::ListProgram(engine.Program())) out << ' ' << static_cast<int>(byte);
    out << "\nvalues:";
    for (int k = 1; k <= constants; ++k) out << ' ' << FormatValue(engine.Value(k));
    out << "\nhighest: " << engine.HighestVariable() << "\n";
    return 0;
  });
}

}  // namespace orbisk::cli
