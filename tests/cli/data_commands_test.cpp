#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>

#include "cli/commands.h"
#include "cli/sample_options.h"
#include "platform/error.h"
#include "polar_data/cyl_data_file.h"
#include "polar_data/number_format.h"
#include "polar_data/test_data.h"
#include "support/temp_dir.h"

namespace orbisk::cli {
namespace {

using orbisk::testing::ReadFile;
using orbisk::testing::TempDir;
using orbisk::testing::WriteFile;

struct CliRun {
  int code;
  std::string out;
  std::string err;
};

CliRun Cli(const Args& args) {
  std::ostringstream out, err;
  int code = RunCli(args, out, err);
  return {code, out.str(), err.str()};
}

std::size_t LineCount(const std::string& text) {
  std::size_t lines = 0;
  for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
  return lines;
}

TEST(SampleOptions, EveryOptionFillsItsFieldAndOthersAreLeft) {
  Args args = {"--formula", "x*y", "--fi-start", "1", "--fi-end",      "2",      "--r-int", "3", "--r-ext", "4",
               "--nfi",     "5",   "--nr",       "6", "--error-value", "-2.5E3", "-o",      "x"};
  const std::vector<OptionSpec> table = CommandNamed("sample").options;
  ParsedArgs parsed = ParseArgs(table, args, false);
  EXPECT_EQ(parsed.options.size(), 9u);
  FunctionRecord expected{"x*y", "1", "2", "3", "4", "5", "6", -2500.0L};
  EXPECT_EQ(RecordFrom(parsed), expected);

  Args bad = {"--error-value", "1,5"};
  EXPECT_THROW(RecordFrom(ParseArgs(table, bad, false)), UsageError);
  Args missing = {"--nr"};
  EXPECT_THROW(ParseArgs(table, missing, false), UsageError);
}

TEST(SampleCommand, DefaultDomainWritesA102LineFileThatReadsBack) {
  TempDir dir;
  CliRun run = Cli({"sample", "-o", dir.File("d.dat")});
  EXPECT_EQ(run.code, 0) << run.err;
  std::string bytes = ReadFile(dir.File("d.dat"));
  EXPECT_EQ(LineCount(bytes), 102u);
  EXPECT_EQ(bytes.substr(0, 22), "100 0 6.28318530717959");

  auto grid = std::make_unique<PolarGrid>();
  ReadCylData(bytes, *grid);
  EXPECT_EQ(FormatCylData(*grid), bytes);  // equal to 15 significant digits
}

TEST(SampleCommand, RefusalsAndFailures) {
  TempDir dir;
  std::string out = dir.File("e.dat");
  struct Case {
    Args args;
    int code;
    std::string err;
    bool written;
  } cases[] = {
      {{"sample", "--nfi", "300", "-o", out}, 1, "Must be NFi from 2 to 256\n", false},
      {{"sample", "--r-int", "1/0", "-o", out}, 1, "Floating point division by zero.\n", false},
      {{"sample", "--formula", "1/r", "--r-int", "0", "--nfi", "10", "--nr", "5", "-o", out},
       0,
       "  10 count errors\n",
       true},
      {{"sample", "--nfi"}, 64, "orbisk-cli sample: option --nfi needs a value\n", false},
      {{"sample"}, 64, "orbisk-cli sample: missing -o OUT\n", false},
      {{"sample", "-o", dir.File("no/such/e.dat")},
       1,
       "Не могу создать файл " + dir.File("no/such/e.dat") + ".\n",
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.size());
    std::filesystem::remove(out);
    CliRun run = Cli(c.args);
    EXPECT_EQ(run.code, c.code);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(std::filesystem::exists(out), c.written);
  }
}

TEST(GenerateAndScan, The3dFileScansToItsDomainAndExtremes) {
  TempDir dir;
  CliRun gen = Cli({"generate", "3d", dir.File("t.dat")});
  EXPECT_EQ(gen.code, 0) << gen.err;
  EXPECT_EQ(ReadFile(dir.File("t.dat")), FormatTest3dData());
  CliRun scan = Cli({"scan", dir.File("t.dat")});
  EXPECT_EQ(scan.code, 0) << scan.err;
  EXPECT_EQ(scan.out.substr(0, 36), "100 100 0 6.28318530717959 0.5 1 -1.");
  EXPECT_EQ(scan.out.back(), '\n');

  CliRun polar = Cli({"generate", "polar", dir.File("p.dat")});
  EXPECT_EQ(polar.code, 0) << polar.err;
  EXPECT_EQ(LineCount(ReadFile(dir.File("p.dat"))), 157u);
}

TEST(GenerateAndScan, ErrorsGoToStderr) {
  TempDir dir;
  WriteFile(dir.File("bad.dat"), "300 0 1 100 0.5 1\r\n");
  WriteFile(dir.File("comma.dat"), "2 0 1 2 0 1 0,5 1 1 1");
  struct Case {
    Args args;
    int code;
    std::string err;
  } cases[] = {
      {{"scan", dir.File("bad.dat")}, 1, "NFi = 300 is out of range: it must be from 2 to 256.\n"},
      {{"scan", dir.File("comma.dat")}, 1, "Invalid numeric input.\n"},
      {{"scan", dir.File("missing.dat")}, 1, "File not found.\n"},
      {{"scan"}, 64, "usage: orbisk-cli scan FILE\n"},
      {{"generate", "2d", dir.File("x.dat")}, 64, "usage: orbisk-cli generate 3d|polar OUT\n"},
      {{"generate", "3d", dir.File("no/x.dat")}, 1, "Не могу создать файл " + dir.File("no/x.dat") + ".\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.err);
    CliRun run = Cli(c.args);
    EXPECT_EQ(run.code, c.code);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out, "");
  }
}

}  // namespace
}  // namespace orbisk::cli
