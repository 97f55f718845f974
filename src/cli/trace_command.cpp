// orbisk-cli trace: traces the contours of a Cyl Data file or of a sampled
// formula and writes them as a Polar Data file, reals with 21 significant
// digits so that the file reloads bit for bit, or as GeoJSON or CSV.

#include <memory>
#include <optional>
#include <string>

#include "app/line_export.h"
#include "cli/commands.h"
#include "cli/console_ui.h"
#include "cli/sample_options.h"
#include "contour/compute_contours.h"
#include "platform/atomic_file.h"
#include "platform/heap_pages.h"
#include "polar_data/number_format.h"
#include "polar_data/sampling.h"

namespace orbisk::cli {

namespace {

std::string Real(long double value) { return FormatDigits(value, 21); }

// The output formats: the name --format takes, the least text a traced point
// takes in the file (for the memory check before tracing).
enum class TraceFormat { Polar, GeoJson, Csv };
struct TraceFormatRow {
  const char* name;
  TraceFormat format;
  std::uint64_t bytesPerPoint;
};
constexpr TraceFormatRow kFormats[] = {
    {"polar", TraceFormat::Polar, 2 * 22 + 3},  // two reals of 21 digits and a point, a blank, CR LF
    {"geojson", TraceFormat::GeoJson, 6},       // "[0,1],"
    {"csv", TraceFormat::Csv, 15},              // "0,0,0,0,1,1,0" and CR LF
};

const TraceFormatRow& FormatFrom(const ParsedArgs& args) {
  const std::string name = args.Text("--format").value_or("polar");
  for (const TraceFormatRow& row : kFormats) {
    if (name == row.name) return row;
  }
  throw UsageError("--format needs polar, geojson or csv, not '" + EscapeControlBytes(name) + "'");
}

// The store as a Polar Data file: count, RInt and RExt; per polyline its point
// count, then one "angle radius" line per point; lines end in CR LF.
std::string FormatTracedPolarData(const ContourStore& store, const PolarGrid& grid) {
  std::string out = std::to_string(store.LinesFi.Count()) + " " + Real(grid.RInt) + " " + Real(grid.RExt) + "\r\n";
  // Room for the longest text at once: the text of millions of points, grown
  // by doubling, would be copied and its fresh pages touched about twice.
  // Room never written costs no memory.
  constexpr std::size_t kLongestReal = 28;  // "-1.23456789012345678901e-4951"
  std::size_t points = 0;
  for (std::int32_t k = 0; k < store.LinesFi.Count(); ++k)
    points += static_cast<std::size_t>(store.LinesFi.Get(k)->Count());
  out.reserve(out.size() + points * (2 * kLongestReal + 3) + static_cast<std::size_t>(store.LinesFi.Count()) * 13);
  AdviseHugePages(out.data(), out.capacity());
  for (std::int32_t k = 0; k < store.LinesFi.Count(); ++k) {
    const TListExt& fi = *store.LinesFi.Get(k);
    const TListExt& r = *store.LinesR.Get(k);
    out += std::to_string(fi.Count()) + "\r\n";
    for (std::int32_t m = 0; m < fi.Count(); ++m) {
      AppendDigits(out, fi.Data()[m], 21);
      out += ' ';
      AppendDigits(out, r.Data()[m], 21);
      out += "\r\n";
    }
  }
  return out;
}

}  // namespace

int RunTrace(const ParsedArgs& args, std::ostream& /*out*/, std::ostream& err) {
  const FunctionRecord record = RecordFrom(args);
  const std::optional<std::string> cylFile = args.Text("--cyl");
  if (cylFile && HasSampleOption(args)) throw UsageError("--cyl and the formula options exclude each other");
  const TraceLevels levels = LevelsFrom(args);
  const TraceFormatRow& format = FormatFrom(args);
  const std::string output = OutputFrom(args);

  auto grid = std::make_unique<PolarGrid>();
  ConsoleUi ui(err);
  if (!FillGrid(cylFile, record, *grid, ui, err)) return 1;
  ScanGrid(*grid);
  ContourStore store;
  const int shownBefore = ui.Shown();
  const ChosenLevels chosen = ComputeContours(*grid, levels.choice, levels.count, store, ui,
                                              format.bytesPerPoint);  // level failures go to err
  // A level that failed fails the run, and the output stays as it was.
  if (ui.Shown() > shownBefore) return 1;
  ReportLevelsOutside(chosen, *grid, err);
  switch (format.format) {
    case TraceFormat::Polar:
      WriteFileAtomically(output, FormatTracedPolarData(store, *grid));
      break;
    case TraceFormat::GeoJson:
      WriteFileAtomically(output, FormatLinesGeoJson(store));
      break;
    case TraceFormat::Csv:
      WriteFileAtomically(output, FormatLinesCsv(store));
      break;
  }
  return 0;
}

}  // namespace orbisk::cli
