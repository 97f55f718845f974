// orbisk-cli scan FILE: reads a Cyl Data file and prints its counts, bounds
// and extremes on one line.

#include <memory>
#include <string>

#include "cli/commands.h"
#include "platform/error.h"
#include "polar_data/cyl_data_file.h"
#include "polar_data/number_format.h"
#include "polar_data/sampling.h"

namespace orbisk::cli {

namespace {

std::string Real(long double value) { return FormatDigits(value, 17); }

}  // namespace

int RunScan(const ParsedArgs& parsed, std::ostream& out, std::ostream& /*err*/) {
  auto grid = std::make_unique<PolarGrid>();
  ReadCylDataFile(parsed.positionals[0], *grid);
  ScanGrid(*grid);
  const PolarGrid& g = *grid;
  out << g.NFi << " " << g.NR << " " << Real(g.FiStart) << " " << Real(g.FiEnd) << " " << Real(g.RInt) << " "
      << Real(g.RExt) << " " << Real(g.MinValue) << " " << Real(g.MaxValue) << "\n";
  return 0;
}

}  // namespace orbisk::cli
