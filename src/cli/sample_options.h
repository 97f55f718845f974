#pragma once
// The options that choose a formula and its domain, shared by the commands
// that sample a grid (sample, trace, render), and the other options those
// commands share. Defaults are the function record's defaults.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/options.h"
#include "platform/ui.h"
#include "polar_data/function_record.h"
#include "polar_data/polar_grid.h"

namespace orbisk::cli {

// The rows of the formula and domain options (--formula ... --error-value).
const std::vector<OptionSpec>& SampleOptionRows();

// Whether any formula or domain option was given.
bool HasSampleOption(const ParsedArgs& args);

// The function record with the given texts over the defaults. Raises
// UsageError for an --error-value that is not a finite number.
FunctionRecord RecordFrom(const ParsedArgs& args);

// The level count of --levels: 1 to kMaxLevels, 14 when absent; the same range
// for every command that traces.
inline constexpr int kMaxLevels = 10000;
std::int32_t LevelsFrom(const ParsedArgs& args);

// The -o path ("-" is standard output). Raises UsageError "missing -o OUT".
std::string OutputFrom(const ParsedArgs& args);

// Fills the grid from the Cyl Data file when one is given, else samples record
// after checking its texts as the function dialog does. A refused text is
// written to err and gives false; read errors and math errors propagate.
bool FillGrid(const std::optional<std::string>& cylFile, const FunctionRecord& record, PolarGrid& grid, Ui& ui,
              std::ostream& err);

}  // namespace orbisk::cli
