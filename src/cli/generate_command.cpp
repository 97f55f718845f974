// orbisk-cli generate 3d|polar OUT: the two test-data files of the Tools menu.

#include <memory>

#include "cli/commands.h"
#include "cli/console_ui.h"
#include "platform/error.h"
#include "polar_data/test_data.h"
#include "store/contour_store.h"

namespace orbisk::cli {

int RunGenerate(const Args& args, std::ostream& /*out*/, std::ostream& err) {
  if (args.size() != 2 || (args[0] != "3d" && args[0] != "polar")) {
    err << "usage: orbisk-cli generate 3d|polar OUT\n";
    return 64;
  }
  auto grid = std::make_unique<PolarGrid>();
  ContourStore store;
  ConsoleUi ui(err);
  try {
    if (args[0] == "3d") {
      Generate3dData(args[1], *grid, ui);
    } else {
      GeneratePolarData(args[1], store, *grid, ui);
    }
  } catch (const Error& e) {
    err << e.what() << "\n";
    return 1;
  }
  return ui.Shown() == 0 ? 0 : 1;  // an output error was shown as a message
}

}  // namespace orbisk::cli
