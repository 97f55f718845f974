#include "cli/sample_options.h"

#include <clocale>
#include <cmath>
#include <cstdlib>

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

std::int32_t LevelsFrom(const ParsedArgs& args) {
  return args.Integer("--levels", 1, kMaxLevels, PlotSettings{}.Contour_NLevel);
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
