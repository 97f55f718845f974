// orbisk-cli sample: validates the function and domain texts as the dialog
// does, samples the formula and writes the grid as a Cyl Data file.

#include <memory>

#include "cli/commands.h"
#include "cli/console_ui.h"
#include "cli/sample_options.h"
#include "formula/formula_engine.h"
#include "platform/error.h"
#include "polar_data/cyl_data_file.h"
#include "polar_data/domain_validation.h"
#include "polar_data/sampling.h"

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
    FormulaEngine engine;
    if (std::optional<std::string> message = ValidateFunctionDomain(record, engine)) {
      err << *message << "\n";
      return 1;
    }
    auto grid = std::make_unique<PolarGrid>();
    ConsoleUi ui(err);
    SampleFormula(record, *grid, engine, ui);  // a failure message goes to err
    SaveCylData(output, *grid);
  } catch (const Error& e) {
    err << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace orbisk::cli
