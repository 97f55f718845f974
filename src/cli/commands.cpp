#include "cli/commands.h"

#include <exception>

#include "app/default_handler.h"
#include "cli/sample_options.h"

#ifndef ORBISK_VERSION
#define ORBISK_VERSION "unknown"
#endif

namespace orbisk::cli {

// Defined in one file per subcommand (cli/<name>_command.cpp).
int RunDelimiter(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int RunEval(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int RunCompile(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int RunEvalAt(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int RunSample(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int RunGenerate(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int RunScan(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int RunRender(const ParsedArgs& args, std::ostream& out, std::ostream& err);
int RunTrace(const ParsedArgs& args, std::ostream& out, std::ostream& err);

namespace {

constexpr OptionSpec kOutput{"-o", "OUT", "the file to write; - for standard output"};
constexpr OptionSpec kCyl{"--cyl", "FILE", "trace the grid of a Cyl Data file instead of a formula"};

std::vector<OptionSpec> With(std::vector<OptionSpec> rows, const std::vector<OptionSpec>& more) {
  rows.insert(rows.end(), more.begin(), more.end());
  return rows;
}

// Ends a command with the message of what escaped it.
int Failed(const std::exception& error, std::ostream& err) {
  err << DefaultHandlerText(MessageOf(error)) << "\n";
  return 1;
}

int RunCommand(const Command& command, const Args& args, std::ostream& out, std::ostream& err) {
  const bool help = !args.empty() && (args[0] == "--help" || args[0] == "-h");
  if (help) {
    out << CommandHelp(command);
    return 0;
  }
  ParsedArgs parsed;
  try {
    parsed = ParseArgs(command.options, args, command.positionals > 0);
    if (command.options.empty() && static_cast<int>(parsed.positionals.size()) != command.positionals) {
      return UsageFailure(command, err);
    }
  } catch (const UsageError& e) {
    err << "orbisk-cli " << command.name << ": " << e.what() << "\n";
    return 64;
  }
  try {
    return command.run(parsed, out, err);
  } catch (const UsageError& e) {
    err << "orbisk-cli " << command.name << ": " << e.what() << "\n";
    return 64;
  } catch (const std::exception& e) {
    return Failed(e, err);
  }
}

// The options of trace: the data, the levels and the output's format.
std::vector<OptionSpec> TraceOptionRows() {
  return With({kCyl},
              With(SampleOptionRows(),
                   With(LevelOptionRows(),
                        {{"--format", "F", "polar (a Polar Data file, the default), geojson or csv"}, kOutput})));
}

// The options of render: the data, the levels, their display and the size.
std::vector<OptionSpec> RenderOptionRows() {
  return With({kCyl, {"--polar", "FILE", "draw the polylines of a Polar Data file"}},
              With(SampleOptionRows(),
                   With(LevelOptionRows(), {{"--level-colours", nullptr, "each level in its colour (viridis)"},
                                            {"--legend", nullptr, "the levels with their colours beside the map"},
                                            {"--line-labels", nullptr, "each level's value on its lines"},
                                            {"--width", "W", "picture width in pixels, 1 to 16384 (default 500)"},
                                            {"--height", "H", "picture height in pixels, 1 to 16384 (default 500)"},
                                            kOutput})));
}

}  // namespace

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"eval", "eval TEXT", "Prints the value of a constant expression as %.17g.", {}, 1, RunEval},
      {"compile",
       "compile TEXT",
       "Prints the compiled byte program of a formula (\"program: ...\"), its constants (\"values: ...\") and "
       "\"highest: N\".",
       {},
       1,
       RunCompile},
      {"eval-at", "eval-at TEXT X Y", "Prints F(X, Y) of a formula as %.17g.", {}, 3, RunEvalAt},
      {"sample",
       "sample [--formula T] [--fi-start T] [--fi-end T] [--r-int T] [--r-ext T] [--nfi T] [--nr T] [--error-value "
       "V] -o OUT",
       "Checks the formula and domain texts as the dialog does, samples the formula and writes the grid as a Cyl "
       "Data file.",
       With(SampleOptionRows(), {kOutput}), 0, RunSample},
      {"generate",
       "generate 3d|polar OUT",
       "Writes one of the two test-data files of Tools > Test.",
       {},
       2,
       RunGenerate},
      {"scan", "scan FILE", "Prints NFi NR FiStart FiEnd RInt RExt Min Max of a Cyl Data file.", {}, 1, RunScan},
      {"delimiter",
       "delimiter (p2c|c2p|swap) SRC DST",
       "Turns \".\" into \",\" (p2c), \",\" into \".\" (c2p) or exchanges them (swap); lines end in CR LF; SRC may "
       "equal DST.",
       {},
       3,
       RunDelimiter},
      {"trace",
       "trace (--cyl FILE | [sample options]) [--levels N|LIST | --level-step STEP [--level-start START]] "
       "[--format polar|geojson|csv] -o OUT",
       "Traces the contour levels and writes the polylines as a Polar Data file, reals %.21Lg (the default), as "
       "GeoJSON (a FeatureCollection of LineStrings of x and y with the level as a property) or as CSV (level, "
       "line, point, phi, r, x, y). Chosen levels outside the data's range are told on stderr. A failed level is "
       "reported on stderr, exits 1 and writes nothing.",
       TraceOptionRows(), 0, RunTrace},
      {"render",
       "render (--cyl FILE | --polar FILE | [sample options]) [--levels N|LIST | --level-step STEP [--level-start "
       "START]] [--level-colours] [--legend] [--line-labels] [--width W] [--height H] -o "
       "OUT.bmp|OUT.png|OUT.svg|OUT.pdf",
       "Draws the whole picture with the default plot settings, by the extension as a 24-bit BMP (also for - or "
       "a name without extension), a PNG, an SVG or a PDF. Chosen levels outside the data's range are told on "
       "stderr. A failed level is reported on stderr, exits 1 and writes nothing.",
       RenderOptionRows(), 0, RunRender},
  };
  return commands;
}

const Command& CommandNamed(const std::string& name) {
  for (const Command& command : Commands()) {
    if (name == command.name) return command;
  }
  throw Error("no command " + name);
}

const char* Version() { return ORBISK_VERSION; }

std::string ProgramHelp() {
  std::string text =
      "usage: orbisk-cli COMMAND [ARGUMENTS]\n"
      "       orbisk-cli COMMAND --help\n"
      "       orbisk-cli --help | --version\n\ncommands:\n";
  for (const Command& command : Commands()) {
    text += "  orbisk-cli " + std::string(command.synopsis) + "\n      " + command.summary + "\n";
  }
  return text;
}

std::string CommandHelp(const Command& command) {
  std::string text = "usage: orbisk-cli " + std::string(command.synopsis) + "\n\n" + command.summary + "\n";
  if (!command.options.empty()) text += "\noptions:\n";
  for (const OptionSpec& row : command.options) {
    std::string left = std::string(row.name) + (row.value != nullptr ? " " + std::string(row.value) : "");
    text += "  " + left + std::string(left.size() < 20 ? 20 - left.size() : 1, ' ') + row.help + "\n";
  }
  return text;
}

int UsageFailure(const Command& command, std::ostream& err) {
  err << "usage: orbisk-cli " << command.synopsis << "\n";
  return 64;
}

int RunCli(const Args& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    out << ProgramHelp();
    return 0;
  }
  if (args.size() == 1 && args[0] == "--version") {
    out << "orbisk-cli " << Version() << "\n";
    return 0;
  }
  if (!args.empty()) {
    for (const Command& command : Commands()) {
      if (args[0] == command.name) return RunCommand(command, Args(args.begin() + 1, args.end()), out, err);
    }
    err << "orbisk-cli: unknown command '" << EscapeControlBytes(args[0]) << "'\n";
  }
  err << "usage:\n";
  for (const Command& command : Commands()) err << "  orbisk-cli " << command.synopsis << "\n";
  return 64;
}

}  // namespace orbisk::cli
