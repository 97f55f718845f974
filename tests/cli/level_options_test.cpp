// Chosen levels, the level display and the output formats of trace and
// render.

#include <gtest/gtest.h>
#include <sstream>

#include "cli/commands.h"
#include "support/temp_dir.h"

namespace orbisk::cli {
namespace {

using orbisk::testing::ReadFile;
using orbisk::testing::TempDir;
using orbisk::testing::WriteFile;

// A 3 x 3 grid over a half annulus, values 1 + 2 (r - 1) from 1 to 3.
constexpr const char* kGrid = "3 0 3.14159\n3 1 2\n1 2 3\n1 2 3\n1 2 3\n";

struct CliRun {
  int code;
  std::string err;
};

CliRun Cli(const Args& args) {
  std::ostringstream out, err;
  const int code = RunCli(args, out, err);
  return {code, err.str()};
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(LevelOptions, TraceWritesTheChosenLevelsInEachFormat) {
  TempDir dir;
  WriteFile(dir.File("grid.dat"), kGrid);
  const std::string out = dir.File("out");
  const struct {
    const char* name;
    Args options;
    std::string start;  // of the file
    std::string part;   // found in the file ...
    std::size_t times;  // ... this often
    std::string err;
  } rows[] = {
      {"GeoJSON of a list, one level outside",
       {"--levels", "1.5,2.5,9", "--format", "geojson"},
       "{\"type\":\"FeatureCollection\"",
       "\"level\":2.5}",
       1,
       "1 of the chosen levels lies outside the data's range (1 to 3) and draws nothing\n"},
      {"CSV of a step from a start",
       {"--level-step", "0.5", "--level-start", "0.25", "--format", "csv"},
       "level,line,point,phi,r,x,y\r\n1.25,0,",
       "\r\n2.75,",
       3,
       ""},
      {"no level in the range",
       {"--levels", "5,6"},
       "0 ",
       "",
       0,
       "No chosen level lies in the data's range (1 to 3): no contour is drawn\n"},
      {"a count, as before", {"--levels", "2", "--format", "polar"}, "2 ", "", 0, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Args args = {"trace", "--cyl", dir.File("grid.dat"), "-o", out};
    args.insert(args.end(), row.options.begin(), row.options.end());
    const CliRun run = Cli(args);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, row.err);
    const std::string written = ReadFile(out);
    EXPECT_EQ(written.substr(0, row.start.size()), row.start);
    if (!row.part.empty()) {
      EXPECT_EQ(Count(written, row.part), row.times) << written;
    }
  }
}

TEST(LevelOptions, RenderDrawsTheLevelDisplayAsPdf) {
  TempDir dir;
  WriteFile(dir.File("grid.dat"), kGrid);
  const CliRun run = Cli({"render", "--cyl", dir.File("grid.dat"), "--levels", "1.5,2,2.5", "--level-colours",
                          "--legend", "--line-labels", "-o", dir.File("map.pdf")});
  EXPECT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(ReadFile(dir.File("map.pdf")).substr(0, 5), "%PDF-");
}

TEST(LevelOptions, RefusesBadLevelOptionsBeforeWriting) {
  TempDir dir;
  const std::string out = dir.File("out");
  const struct {
    Args args;
    const char* err;
  } rows[] = {
      {{"trace", "--levels", "1,x"},
       "--levels needs an integer from 1 to 10000 or a list of levels such as 0.5,1,1.5, not '1,x'"},
      {{"trace", "--levels", "0"}, "--levels needs an integer from 1 to 10000, not '0'"},
      {{"trace", "--levels", "3", "--level-step", "1"}, "--levels and --level-step exclude each other"},
      {{"render", "--level-start", "1"}, "--level-start needs --level-step"},
      {{"render", "--level-step", "0"}, "--level-step needs a number greater than 0, not '0'"},
      {{"trace", "--level-step", "1", "--level-start", "one"}, "--level-start needs a number, not 'one'"},
      {{"trace", "--format", "kml"}, "--format needs polar, geojson or csv, not 'kml'"},
      {{"trace", "--legend"}, "unexpected argument '--legend'"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.err);
    Args args = row.args;
    args.insert(args.end(), {"-o", out});
    const CliRun run = Cli(args);
    EXPECT_EQ(run.code, 64);
    EXPECT_EQ(run.err, "orbisk-cli " + args[0] + ": " + row.err + "\n");
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace orbisk::cli
