// orbisk-cli sample: validates the function and domain texts as the dialog
// does, samples the formula and writes the grid as a Cyl Data file.

#include <memory>

#include "cli/commands.h"
#include "cli/console_ui.h"
#include "cli/sample_options.h"
#include "platform/error.h"
#include "polar_data/cyl_data_file.h"

namespace orbisk::cli {

int RunSample(const Args& args, std::ostream& /*out*/, std::ostream& err) {
  FunctionRecord record;
  std::string output;
  try {
    for (std::size_t i = 0; i < args.size();) {
      if (ConsumeSampleOption(args, i, record)) continue;
      if (args[i] == "-o" && i + 1 < args.size()) {
        output = args[i + 1];
        i += 2;
        continue;
      }
      throw InputError("unexpected argument '" + args[i] + "'");
    }
    if (output.empty()) throw InputError("missing -o OUT");
  } catch (const Error& e) {
    err << "orbisk-cli sample: " << e.what() << "\n";
    return 64;
  }

  try {
    auto grid = std::make_unique<PolarGrid>();
    ConsoleUi ui(err);
    if (!FillGrid(std::nullopt, record, *grid, ui, err)) return 1;
    SaveCylData(output, *grid);
  } catch (const Error& e) {
    err << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace orbisk::cli
