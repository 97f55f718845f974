// orbisk-cli trace: traces the contours of a Cyl Data file or of a sampled
// formula and writes them as a Polar Data file, reals with 21 significant
// digits so that the file reloads bit for bit.

#include <memory>
#include <optional>
#include <string>

#include "app/default_handler.h"
#include "cli/commands.h"
#include "cli/console_ui.h"
#include "cli/sample_options.h"
#include "contour/compute_contours.h"
#include "contour/plot_settings.h"
#include "platform/atomic_file.h"
#include "platform/error.h"
#include "polar_data/number_format.h"
#include "polar_data/sampling.h"

namespace orbisk::cli {

namespace {

constexpr int kMaxLevels = 10000;

struct TraceOptions {
  FunctionRecord record;
  bool sampleOptionGiven = false;
  std::optional<std::string> cylFile;
  std::int32_t levels = PlotSettings{}.Contour_NLevel;
  std::string output;
};

std::int32_t ParseLevels(const std::string& text) {
  std::size_t used = 0;
  long value = -1;
  try {
    value = std::stol(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != text.size() || value < 1 || value > kMaxLevels) {
    throw InputError("--levels needs an integer from 1 to " + std::to_string(kMaxLevels) + ", not '" + text + "'");
  }
  return static_cast<std::int32_t>(value);
}

TraceOptions ParseOptions(const Args& args) {
  TraceOptions o;
  for (std::size_t i = 0; i < args.size();) {
    if (ConsumeSampleOption(args, i, o.record)) {
      o.sampleOptionGiven = true;
      continue;
    }
    const std::string& name = args[i];
    if (i + 1 >= args.size()) throw InputError("unexpected argument '" + name + "'");
    const std::string& value = args[i + 1];
    if (name == "--cyl") {
      o.cylFile = value;
    } else if (name == "--levels") {
      o.levels = ParseLevels(value);
    } else if (name == "-o") {
      o.output = value;
    } else {
      throw InputError("unexpected argument '" + name + "'");
    }
    i += 2;
  }
  if (o.cylFile && o.sampleOptionGiven) throw InputError("--cyl and the formula options exclude each other");
  if (o.output.empty()) throw InputError("missing -o OUT");
  return o;
}

std::string Real(long double value) { return FormatDigits(value, 21); }

// The store as a Polar Data file: count, RInt and RExt; per polyline its point
// count, then one "angle radius" line per point; lines end in CR LF.
std::string FormatTracedPolarData(const ContourStore& store, const PolarGrid& grid) {
  std::string out = std::to_string(store.LinesFi.Count()) + " " + Real(grid.RInt) + " " + Real(grid.RExt) + "\r\n";
  for (std::int32_t k = 0; k < store.LinesFi.Count(); ++k) {
    const TListExt& fi = *store.LinesFi.Get(k);
    const TListExt& r = *store.LinesR.Get(k);
    out += std::to_string(fi.Count()) + "\r\n";
    for (std::int32_t m = 0; m < fi.Count(); ++m) out += Real(fi.Data()[m]) + " " + Real(r.Data()[m]) + "\r\n";
  }
  return out;
}

}  // namespace

int RunTrace(const Args& args, std::ostream& /*out*/, std::ostream& err) {
  TraceOptions options;
  try {
    options = ParseOptions(args);
  } catch (const Error& e) {
    err << "orbisk-cli trace: " << e.what() << "\n";
    return 64;
  }
  try {
    auto grid = std::make_unique<PolarGrid>();
    ConsoleUi ui(err);
    if (!FillGrid(options.cylFile, options.record, *grid, ui, err)) return 1;
    ScanGrid(*grid);
    ContourStore store;
    const int shownBefore = ui.Shown();
    ComputeContours(*grid, options.levels, store, ui);  // level failures go to err
    WriteFileAtomically(options.output, FormatTracedPolarData(store, *grid));
    // The file holds what was traced; a level that failed still fails the run.
    return ui.Shown() > shownBefore ? 1 : 0;
  } catch (const Error& e) {
    err << DefaultHandlerText(e.what()) << "\n";
    return 1;
  }
}

}  // namespace orbisk::cli
