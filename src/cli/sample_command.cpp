// orbisk-cli sample: validates the function and domain texts as the dialog
// does, samples the formula and writes the grid as a Cyl Data file.

#include <memory>

#include "cli/commands.h"
#include "cli/console_ui.h"
#include "cli/sample_options.h"
#include "polar_data/cyl_data_file.h"

namespace orbisk::cli {

int RunSample(const ParsedArgs& args, std::ostream& /*out*/, std::ostream& err) {
  const FunctionRecord record = RecordFrom(args);
  const std::string output = OutputFrom(args);
  auto grid = std::make_unique<PolarGrid>();
  ConsoleUi ui(err);
  if (!FillGrid(std::nullopt, record, *grid, ui, err)) return 1;
  SaveCylData(output, *grid);
  return 0;
}

}  // namespace orbisk::cli
