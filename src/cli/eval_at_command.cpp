// orbisk-cli eval-at TEXT X Y: a formula's value at one point.

#include <locale.h>

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "cli/commands.h"
#include "cli/formula_output.h"

namespace orbisk::cli {
namespace {

// A finite double written with "." whatever the locale; nothing otherwise.
std::optional<double> ParseCoordinate(const std::string& text) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  char* end = nullptr;
  errno = 0;
  const double value = strtod_l(text.c_str(), &end, cLocale);
  if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

int RunEvalAt(const ParsedArgs& parsed, std::ostream& out, std::ostream& err) {
  const Args& args = parsed.positionals;
  const std::optional<double> x = ParseCoordinate(args[1]);
  const std::optional<double> y = ParseCoordinate(args[2]);
  if (!x || !y) {
    err << "orbisk-cli: '" << (x ? args[2] : args[1]) << "' is not a finite number\n";
    return 64;
  }
  return CatchMathError(err, [&] {
    FormulaEngine engine;
    engine.CompileFormula(args[0]);
    if (ReportFormulaFault(engine, err)) return 1;
    out << FormatValue(engine.EvalFormula(*x, *y)) << "\n";
    return 0;
  });
}

}  // namespace orbisk::cli
