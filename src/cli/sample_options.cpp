#include "cli/sample_options.h"

#include <clocale>
#include <cmath>
#include <cstdlib>

#include "app/level_texts.h"
#include "contour/plot_settings.h"
#include "formula/formula_engine.h"
#include "platform/error.h"
#include "polar_data/cyl_data_file.h"
#include "polar_data/domain_validation.h"
#include "polar_data/sampling.h"

namespace orbisk::cli {

namespace {

// The number an --error-value text holds, read with "." whatever the locale.
long double ParseErrorValue(const std::string& text) {
  locale_t c = ::newlocale(LC_ALL_MASK, "C", nullptr);
  char* end = nullptr;
  long double value = ::strtold_l(text.c_str(), &end, c);
  bool whole = !text.empty() && end == text.c_str() + text.size();
  ::freelocale(c);
  if (!whole || !std::isfinite(value)) {
    throw UsageError("--error-value: '" + EscapeControlBytes(text) + "' is not a number");
  }
  return value;
}

// The record's texts by option name.
const std::pair<const char*, std::string FunctionRecord::*> kTextFields[] = {
    {"--formula", &FunctionRecord::SFCyl}, {"--fi-start", &FunctionRecord::SFiStart},
    {"--fi-end", &FunctionRecord::SFiEnd}, {"--r-int", &FunctionRecord::SRInt},
    {"--r-ext", &FunctionRecord::SRExt},   {"--nfi", &FunctionRecord::SNFi},
    {"--nr", &FunctionRecord::SNR},
};

}  // namespace

const std::vector<OptionSpec>& SampleOptionRows() {
  static const std::vector<OptionSpec> rows = {
      {"--formula", "T", "the formula F(x,y,r) (default r+sqrt((x-1)*(x-1)))"},
      {"--fi-start", "T", "start angle, an expression (default 0.0)"},
      {"--fi-end", "T", "end angle (default 2*pi)"},
      {"--r-int", "T", "inner radius (default 1.0)"},
      {"--r-ext", "T", "outer radius (default 2.0)"},
      {"--nfi", "T", "points along the arc, 2 to 256 (default 100)"},
      {"--nr", "T", "points along the radius, 2 to 256 (default 100)"},
      {"--error-value", "V", "the value of a point where the formula fails (default -1.3e-13)"},
  };
  return rows;
}

bool HasSampleOption(const ParsedArgs& args) {
  for (const OptionSpec& row : SampleOptionRows()) {
    if (args.Has(row.name)) return true;
  }
  return false;
}

FunctionRecord RecordFrom(const ParsedArgs& args) {
  FunctionRecord record;
  for (const auto& [name, field] : kTextFields) {
    if (std::optional<std::string> text = args.Text(name)) record.*field = *text;
  }
  if (std::optional<std::string> text = args.Text("--error-value")) record.ErrorValue = ParseErrorValue(*text);
  return record;
}

const std::vector<OptionSpec>& LevelOptionRows() {
  static const std::vector<OptionSpec> rows = {
      {"--levels", "N|LIST", "the number of contour levels, 1 to 10000 (default 14), or the levels, as 0.5,1,1.5"},
      {"--level-step", "STEP", "levels STEP apart instead, covering the data's range"},
      {"--level-start", "START", "with --level-step: one of the levels (default 0)"},
  };
  return rows;
}

namespace {

// Decimal digits with an optional sign: a level count rather than a list.
bool IsWholeNumber(const std::string& text) {
  const std::size_t digits = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  return text.size() > digits && text.find_first_not_of("0123456789", digits) == std::string::npos;
}

std::vector<long double> LevelList(const std::string& text) {
  std::vector<long double> values;
  try {
    values = ParseLevelList(text);
  } catch (const InputError&) {
    throw UsageError("--levels needs an integer from 1 to " + std::to_string(kMaxLevels) +
                     " or a list of levels such as 0.5,1,1.5, not '" + EscapeControlBytes(text) + "'");
  }
  if (values.size() > static_cast<std::size_t>(kMaxContourLevels)) {
    throw UsageError("--levels holds more than " + std::to_string(kMaxContourLevels) + " levels");
  }
  return values;
}

// The number of option name, which must be finite and, for a step, above 0.
long double LevelNumber(const ParsedArgs& args, const char* name, bool step) {
  const std::string text = *args.Text(name);
  std::optional<long double> value;
  try {
    value = ParseLevelNumber(text, '.', "%s");
  } catch (const InputError&) {
  }
  if (!value || (step && !(*value > 0))) {
    throw UsageError(std::string(name) + (step ? " needs a number greater than 0" : " needs a number") + ", not '" +
                     EscapeControlBytes(text) + "'");
  }
  return *value;
}

}  // namespace

TraceLevels LevelsFrom(const ParsedArgs& args) {
  TraceLevels levels;
  const std::optional<std::string> text = args.Text("--levels");
  if (args.Has("--level-step")) {
    if (text) throw UsageError("--levels and --level-step exclude each other");
    const long double start = args.Has("--level-start") ? LevelNumber(args, "--level-start", false) : 0;
    levels.choice = {LevelMode::Step, {}, start, LevelNumber(args, "--level-step", true)};
  } else if (args.Has("--level-start")) {
    throw UsageError("--level-start needs --level-step");
  } else if (text && !IsWholeNumber(*text)) {
    levels.choice = {LevelMode::List, LevelList(*text), 0, 0};
  } else {
    levels.count = args.Integer("--levels", 1, kMaxLevels, PlotSettings{}.Contour_NLevel);
  }
  return levels;
}

void ReportLevelsOutside(const ChosenLevels& chosen, const PolarGrid& grid, std::ostream& err) {
  const std::string note = LevelsOutsideMessage(chosen, grid.MinValue, grid.MaxValue);
  if (!note.empty()) err << note << "\n";
}

std::string OutputFrom(const ParsedArgs& args) {
  std::optional<std::string> output = args.Text("-o");
  if (!output || output->empty()) throw UsageError("missing -o OUT");
  return OutputPath(*output);
}

bool FillGrid(const std::optional<std::string>& cylFile, const FunctionRecord& record, PolarGrid& grid, Ui& ui,
              std::ostream& err) {
  if (cylFile) {
    ReadCylDataFile(*cylFile, grid);
    return true;
  }
  FormulaEngine engine;
  if (std::optional<std::string> message = ValidateFunctionDomain(record, engine)) {
    err << *message << "\n";
    return false;
  }
  SampleFormula(record, grid, engine, ui);  // a failure message goes to the Ui
  return true;
}

}  // namespace orbisk::cli
