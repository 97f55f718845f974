#include "cli/formula_output.h"

#include <cstdio>

#include "platform/error.h"

namespace orbisk::cli {

std::string FormatValue(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

bool ReportFormulaFault(const FormulaEngine& engine, std::ostream& err) {
  if (engine.FormulaError() == 0) return false;
  err << "error " << static_cast<int>(engine.FormulaError()) << ": " << engine.FormulaMessage() << "\n";
  return true;
}

int CatchMathError(std::ostream& err, const std::function<int()>& work) {
  try {
    return work();
  } catch (const MathError& error) {
    err << error.what() << "\n";
    return 2;
  }
}

}  // namespace orbisk::cli
