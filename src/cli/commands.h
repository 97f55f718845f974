#pragma once
// The subcommands of orbisk-cli and their usage texts, in one table that the
// help output (and a manual page) is made from. Each command gets its
// arguments sorted by the one option parser and returns the exit code; output
// goes to the given streams.

#include <ostream>
#include <string>
#include <vector>

#include "cli/options.h"

namespace orbisk::cli {

struct Command {
  const char* name;
  const char* synopsis;  // one line, after "orbisk-cli "
  const char* summary;   // what it does, one or two sentences
  std::vector<OptionSpec> options;
  int positionals;  // the exact number of positional arguments
  int (*run)(const ParsedArgs& args, std::ostream& out, std::ostream& err);
};

// Every subcommand, in the order the usage text lists them.
const std::vector<Command>& Commands();

// The command of that name, which must exist.
const Command& CommandNamed(const std::string& name);

// The program's version, as the build was told.
const char* Version();

// The help of the whole program ("orbisk-cli --help") and of one command.
std::string ProgramHelp();
std::string CommandHelp(const Command& command);

// Prints "usage: orbisk-cli SYNOPSIS" to err and returns 64.
int UsageFailure(const Command& command, std::ostream& err);

// Runs orbisk-cli with argv-style arguments (without the program name). A
// faulty command line exits 64, a failed command 1 with its message and the
// full stop of the default handler; no exception leaves it.
int RunCli(const Args& args, std::ostream& out, std::ostream& err);

}  // namespace orbisk::cli
