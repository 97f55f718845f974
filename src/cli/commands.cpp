#include "cli/commands.h"

namespace orbisk::cli {

// Defined in one file per subcommand (cli/<name>_command.cpp).
int RunDelimiter(const Args& args, std::ostream& out, std::ostream& err);
int RunEval(const Args& args, std::ostream& out, std::ostream& err);
int RunCompile(const Args& args, std::ostream& out, std::ostream& err);
int RunEvalAt(const Args& args, std::ostream& out, std::ostream& err);
int RunSample(const Args& args, std::ostream& out, std::ostream& err);
int RunGenerate(const Args& args, std::ostream& out, std::ostream& err);
int RunScan(const Args& args, std::ostream& out, std::ostream& err);
int RunRender(const Args& args, std::ostream& out, std::ostream& err);
int RunTrace(const Args& args, std::ostream& out, std::ostream& err);

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"eval", "eval TEXT", RunEval},
      {"compile", "compile TEXT", RunCompile},
      {"eval-at", "eval-at TEXT X Y", RunEvalAt},
      {"sample",
       "sample [--formula T] [--fi-start T] [--fi-end T] [--r-int T] [--r-ext T] [--nfi T] [--nr T] [--error-value V] "
       "-o OUT",
       RunSample},
      {"generate", "generate 3d|polar OUT", RunGenerate},
      {"scan", "scan FILE", RunScan},
      {"trace", "trace (--cyl FILE | [sample options]) [--levels N] -o OUT", RunTrace},
      {"render",
       "render (--cyl FILE | --polar FILE | [sample options]) [--levels N] [--width W] [--height H] -o "
       "OUT.bmp|OUT.png|OUT.svg",
       RunRender},
      {"delimiter", "delimiter (p2c|c2p|swap) SRC DST", RunDelimiter},
  };
  return commands;
}

int RunCli(const Args& args, std::ostream& out, std::ostream& err) {
  if (!args.empty()) {
    for (const Command& command : Commands()) {
      if (args[0] == command.name) return command.run(Args(args.begin() + 1, args.end()), out, err);
    }
    err << "orbisk-cli: unknown command '" << args[0] << "'\n";
  }
  err << "usage:\n";
  for (const Command& command : Commands()) err << "  orbisk-cli " << command.usage << "\n";
  return 64;
}

}  // namespace orbisk::cli
