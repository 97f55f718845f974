// orbisk-cli trace: traces the contours of a Cyl Data file or of a sampled
// formula and writes them as a Polar Data file, reals with 21 significant
// digits so that the file reloads bit for bit.

#include <memory>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/console_ui.h"
#include "cli/sample_options.h"
#include "contour/compute_contours.h"
#include "platform/atomic_file.h"
#include "polar_data/number_format.h"
#include "polar_data/sampling.h"

namespace orbisk::cli {

namespace {

std::string Real(long double value) { return FormatDigits(value, 21); }

// The least text a traced point takes in the file: two reals of 21 digits and
// a point, a blank and CR LF.
constexpr std::uint64_t kTextBytesPerPoint = 2 * 22 + 3;

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

int RunTrace(const ParsedArgs& args, std::ostream& /*out*/, std::ostream& err) {
  const FunctionRecord record = RecordFrom(args);
  const std::optional<std::string> cylFile = args.Text("--cyl");
  if (cylFile && HasSampleOption(args)) throw UsageError("--cyl and the formula options exclude each other");
  const std::int32_t levels = LevelsFrom(args);
  const std::string output = OutputFrom(args);

  auto grid = std::make_unique<PolarGrid>();
  ConsoleUi ui(err);
  if (!FillGrid(cylFile, record, *grid, ui, err)) return 1;
  ScanGrid(*grid);
  ContourStore store;
  const int shownBefore = ui.Shown();
  ComputeContours(*grid, levels, store, ui, kTextBytesPerPoint);  // level failures go to err
  // A level that failed fails the run, and the output stays as it was.
  if (ui.Shown() > shownBefore) return 1;
  WriteFileAtomically(output, FormatTracedPolarData(store, *grid));
  return 0;
}

}  // namespace orbisk::cli
