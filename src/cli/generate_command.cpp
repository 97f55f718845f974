// orbisk-cli generate 3d|polar OUT: the two test-data files of the Tools menu.

#include <memory>

#include "cli/commands.h"
#include "cli/console_ui.h"
#include "platform/error.h"
#include "polar_data/test_data.h"
#include "store/contour_store.h"

namespace orbisk::cli {

int RunGenerate(const ParsedArgs& parsed, std::ostream& /*out*/, std::ostream& err) {
  const Args& args = parsed.positionals;
  if (args[0] != "3d" && args[0] != "polar") return UsageFailure(CommandNamed("generate"), err);
  auto grid = std::make_unique<PolarGrid>();
  ContourStore store;
  ConsoleUi ui(err);
  const std::string output = OutputPath(args[1]);
  if (args[0] == "3d") {
    Generate3dData(output, *grid, ui);
  } else {
    GeneratePolarData(output, store, *grid, ui);
  }
  return ui.Shown() == 0 ? 0 : 1;  // an output error was shown as a message
}

}  // namespace orbisk::cli
