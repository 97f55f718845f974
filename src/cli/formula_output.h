#pragma once
// Output forms shared by the formula subcommands of orbisk-cli, which other
// programs parse: numbers as C's %.17g, faults as "error N: MESSAGE" (exit 1),
// math errors as their message (exit 2), all faults on stderr.

#include <functional>
#include <ostream>
#include <string>

#include "formula/formula_engine.h"

namespace orbisk::cli {

// A double as C's %.17g.
std::string FormatValue(double value);

// Writes "error N: MESSAGE" when the engine's last text operation failed; returns whether it did.
bool ReportFormulaFault(const FormulaEngine& engine, std::ostream& err);

// Runs work and returns its exit code; a MathError becomes its message and exit code 2.
int CatchMathError(std::ostream& err, const std::function<int()>& work);

}  // namespace orbisk::cli
