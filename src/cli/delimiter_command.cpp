// orbisk-cli delimiter (p2c|c2p|swap) SRC DST: the decimal point and comma tool
// of the Tools menu.

#include "app/delimiter_tool.h"
#include "cli/commands.h"
#include "platform/error.h"

namespace orbisk::cli {

int RunDelimiter(const Args& args, std::ostream& /*out*/, std::ostream& err) {
  const std::string mode = args.empty() ? "" : args[0];
  if (args.size() != 3 || (mode != "p2c" && mode != "c2p" && mode != "swap")) {
    err << "usage: orbisk-cli delimiter (p2c|c2p|swap) SRC DST\n";
    return 64;
  }
  try {
    if (mode == "p2c") {
      ReplaceCharInFile(args[1], args[2], '.', ',');
    } else if (mode == "c2p") {
      ReplaceCharInFile(args[1], args[2], ',', '.');
    } else {
      ExchangeCharsInFile(args[1], args[2], '.', ',');
    }
  } catch (const Error& e) {
    err << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace orbisk::cli
