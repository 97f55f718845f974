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
#include "contour/contour_levels.h"
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

// The rows of --levels, --level-step and --level-start, shared by the
// commands that trace.
const std::vector<OptionSpec>& LevelOptionRows();

// The levels to trace: a count, or levels that the user chose.
struct TraceLevels {
  std::int32_t count = 14;  // for LevelMode::Even
  LevelChoice choice;
};

// The levels of --levels, --level-step and --level-start, the same for every
// command that traces. --levels with a whole number is the count, 1 to
// kMaxLevels (14 when absent); anything else is a list of levels such as
// "0.5,1,1.5" ("." always). --level-step STEP chooses the levels
// START + k STEP within the data's range (START from --level-start, 0 when
// absent). Raises UsageError for a bad count, list, start or step, for
// --levels with --level-step, and for --level-start alone.
inline constexpr int kMaxLevels = 10000;
TraceLevels LevelsFrom(const ParsedArgs& args);

// What to tell on err, once, when chosen levels lie outside the data's range;
// the run still succeeds.
void ReportLevelsOutside(const ChosenLevels& chosen, const PolarGrid& grid, std::ostream& err);

// The -o path ("-" is standard output). Raises UsageError "missing -o OUT".
std::string OutputFrom(const ParsedArgs& args);

// Fills the grid from the Cyl Data file when one is given, else samples record
// after checking its texts as the function dialog does. A refused text is
// written to err and gives false; read errors and math errors propagate.
bool FillGrid(const std::optional<std::string>& cylFile, const FunctionRecord& record, PolarGrid& grid, Ui& ui,
              std::ostream& err);

}  // namespace orbisk::cli
