#pragma once
// The desktop program's command line: orbisk [FILE], orbisk --help,
// orbisk --version. Qt's own options have been taken out by then.

#include <string>
#include <vector>

namespace orbisk {

struct DesktopArguments {
  enum class Action { Run, Help, Version, Fault };
  Action action = Action::Run;
  std::string file;   // a data file to open at start, or empty
  std::string fault;  // what is wrong, for Fault
};

// Reads the arguments after the program name in order: --help (or -h) and
// --version answer at once; "--" ends the options; one FILE at most.
DesktopArguments ParseDesktopArguments(const std::vector<std::string>& args);

// The text --help prints.
std::string DesktopUsage();
// The line --version prints, "orbisk 1.0.0".
std::string DesktopVersion();

}  // namespace orbisk
