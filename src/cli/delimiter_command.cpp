// orbisk-cli delimiter (p2c|c2p|swap) SRC DST: the decimal point and comma tool
// of the Tools menu.

#include "app/delimiter_tool.h"
#include "cli/commands.h"
#include "platform/error.h"

namespace orbisk::cli {

int RunDelimiter(const ParsedArgs& parsed, std::ostream& /*out*/, std::ostream& err) {
  const Args& args = parsed.positionals;
  const std::string& mode = args[0];
  if (mode != "p2c" && mode != "c2p" && mode != "swap") return UsageFailure(CommandNamed("delimiter"), err);
  const std::string output = OutputPath(args[2]);
  if (mode == "p2c") {
    ReplaceCharInFile(args[1], output, '.', ',');
  } else if (mode == "c2p") {
    ReplaceCharInFile(args[1], output, ',', '.');
  } else {
    ExchangeCharsInFile(args[1], output, '.', ',');
  }
  return 0;
}

}  // namespace orbisk::cli
