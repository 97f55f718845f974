#include "gui/desktop_arguments.h"

namespace orbisk {

namespace {

DesktopArguments Fault(const std::string& what) { return {DesktopArguments::Action::Fault, "", what}; }

}  // namespace

DesktopArguments ParseDesktopArguments(const std::vector<std::string>& args) {
  DesktopArguments parsed;
  bool options = true;
  for (const std::string& arg : args) {
    if (options && (arg == "--help" || arg == "-h")) return {DesktopArguments::Action::Help, "", ""};
    if (options && arg == "--version") return {DesktopArguments::Action::Version, "", ""};
    if (options && arg == "--") {
      options = false;
    } else if (options && arg.size() > 1 && arg[0] == '-') {
      return Fault("unknown option '" + arg + "'");
    } else if (!parsed.file.empty()) {
      return Fault("one file at most, not '" + parsed.file + "' and '" + arg + "'");
    } else if (arg.empty()) {
      return Fault("the file name is empty");
    } else {
      parsed.file = arg;
    }
  }
  return parsed;
}

std::string DesktopUsage() {
  return "Usage: orbisk [FILE]\n"
         "Draws contour maps of a function over a polar domain.\n"
         "\n"
         "  FILE       a Cyl Data or Polar Data file to open at start, as\n"
         "             File > Load would; its content tells which\n"
         "  --help     print this help and exit\n"
         "  --version  print the version and exit\n"
         "\n"
         "Without a display, orbisk-cli does the same work for scripts.\n";
}

std::string DesktopVersion() { return std::string("orbisk ") + ORBISK_VERSION; }

}  // namespace orbisk
