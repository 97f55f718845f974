#pragma once
// The options that choose a formula and its domain, shared by the commands
// that sample a grid (sample, trace, render). Defaults are the function
// record's defaults.

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>

#include "cli/commands.h"
#include "platform/ui.h"
#include "polar_data/function_record.h"
#include "polar_data/polar_grid.h"

namespace orbisk::cli {

// The usage text of the options, for a command's usage line.
inline constexpr const char* kSampleOptionsUsage =
    "[--formula T] [--fi-start T] [--fi-end T] [--r-int T] [--r-ext T] [--nfi T] [--nr T] "
    "[--error-value V]";

// When args[i] is one of the options, stores its value (args[i + 1]) into
// record, advances i past the value and returns true; returns false for any
// other argument. Raises InputError for a missing value or an --error-value
// that is not a number.
bool ConsumeSampleOption(const Args& args, std::size_t& i, FunctionRecord& record);

// Fills the grid from the Cyl Data file when one is given, else samples record
// after checking its texts as the function dialog does. A refused text is
// written to err and gives false; read errors and math errors propagate.
bool FillGrid(const std::optional<std::string>& cylFile, const FunctionRecord& record, PolarGrid& grid, Ui& ui,
              std::ostream& err);

}  // namespace orbisk::cli
