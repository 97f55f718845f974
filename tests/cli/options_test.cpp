// The one option parser and the texts of orbisk-cli.

#include <gtest/gtest.h>
#include <sstream>

#include "cli/commands.h"
#include "support/temp_dir.h"

namespace orbisk::cli {
namespace {

using orbisk::testing::ReadFile;
using orbisk::testing::TempDir;
using orbisk::testing::WriteFile;

TEST(CliOptions, OneRuleForEveryCommand) {
  TempDir dir;
  WriteFile(dir.File("keep.dat"), "keep");
  // Radii near the top of the extended range: every level overflows.
  WriteFile(dir.File("huge.dat"), "3 0 6.28 3 1e4930 1.1e4932\n1 2 3\n4 5 6\n7 8 9\n");
  const std::string keep = dir.File("keep.dat");
  const struct {
    const char* name;
    Args args;
    int code;
    std::string out;  // the start of standard output
    std::string err;  // a part of standard error
  } rows[] = {
      {"version", {"--version"}, 0, "orbisk-cli " + std::string(Version()) + "\n", ""},
      {"help", {"--help"}, 0, "usage: orbisk-cli COMMAND", ""},
      {"help of a command", {"render", "--help"}, 0, "usage: orbisk-cli render (--cyl FILE", ""},
      {"help of a command without options", {"eval", "--help"}, 0, "usage: orbisk-cli eval TEXT", ""},
      {"negative number as a text", {"eval", "-2"}, 0, "-2\n", ""},
      {"trace level range",
       {"trace", "--levels", "0", "-o", keep},
       64,
       "",
       "trace: --levels needs an integer from 1 to 10000"},
      {"render level range",
       {"render", "--levels", "0", "-o", keep},
       64,
       "",
       "render: --levels needs an integer from 1 to 10000"},
      {"render refuses TIFF", {"render", "-o", dir.File("map.tiff")}, 64, "", "only .bmp, .png, .svg and .pdf"},
      {"render refuses JPEG", {"render", "-o", dir.File("map.JPG")}, 64, "", "only .bmp, .png, .svg and .pdf"},
      {"trace: a failed level writes nothing",
       {"trace", "--cyl", dir.File("huge.dat"), "-o", keep},
       1,
       "",
       "Floating point overflow"},
      {"render: a failed level writes nothing",
       {"render", "--cyl", dir.File("huge.dat"), "-o", dir.File("keep.bmp")},
       1,
       "",
       "Floating point overflow"},
      {"unknown option", {"sample", "--levels", "3", "-o", keep}, 64, "", "sample: unexpected argument '--levels'"},
      {"control bytes escaped", {"scan", dir.File("a\x1b[31m\nb")}, 1, "", "File not found."},
      {"control bytes in a file name", {"generate", "3d", dir.File("no/a\x1b[2J")}, 1, "", "no/a\\x1B[2J."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(row.args, out, err), row.code) << err.str();
    EXPECT_EQ(out.str().substr(0, row.out.size()), row.out);
    EXPECT_NE(err.str().find(row.err), std::string::npos) << err.str();
    EXPECT_EQ(err.str().find('\x1b'), std::string::npos);
  }
  EXPECT_EQ(ReadFile(keep), "keep");
  EXPECT_FALSE(std::filesystem::exists(dir.File("keep.bmp")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("map.tiff")));
}

}  // namespace
}  // namespace orbisk::cli
