#pragma once
// The subcommands of orbisk-cli. Each takes the arguments after its own name
// and returns the process exit code; output goes to the given streams.

#include <ostream>
#include <string>
#include <vector>

namespace orbisk::cli {

using Args = std::vector<std::string>;

struct Command {
  const char* name;
  const char* usage;  // one line, after "orbisk-cli "
  int (*run)(const Args& args, std::ostream& out, std::ostream& err);
};

// Every subcommand, in the order the usage text lists them.
const std::vector<Command>& Commands();

// Runs orbisk-cli with argv-style arguments (without the program name).
int RunCli(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace orbisk::cli
