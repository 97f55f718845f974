#include <gtest/gtest.h>
#include <sstream>

#include "cli/commands.h"
#include "support/temp_dir.h"

namespace orbisk::cli {
namespace {

using orbisk::testing::ReadFile;
using orbisk::testing::TempDir;
using orbisk::testing::WriteFile;

struct RenderRun {
  int code;
  std::string err;
};

RenderRun Render(Args args) {
  args.insert(args.begin(), "render");
  std::ostringstream out, err;
  int code = RunCli(args, out, err);
  return {code, err.str()};
}

TEST(RenderCommand, DrawsAPolarDataFileAtTheGivenSize) {
  TempDir dir;
  WriteFile(dir.File("lines.dat"), "1 1 2\n3 0 1 1.5 1.5 3.14 2\n");
  RenderRun run =
      Render({"--polar", dir.File("lines.dat"), "--width", "301", "--height", "200", "-o", dir.File("map.bmp")});
  ASSERT_EQ(run.code, 0) << run.err;
  std::string bmp = ReadFile(dir.File("map.bmp"));
  ASSERT_GE(bmp.size(), 54u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<unsigned char>(bmp[18]) | static_cast<unsigned char>(bmp[19]) << 8, 301);
  EXPECT_EQ(static_cast<unsigned char>(bmp[22]) | static_cast<unsigned char>(bmp[23]) << 8, 200);
}

TEST(RenderCommand, ReportsFailuresAndWritesNothing) {
  TempDir dir;
  WriteFile(dir.File("empty.dat"), "0 0 0\n");
  struct Case {
    const char* name;
    Args args;
    int code;
    const char* err;
  };
  const Case cases[] = {
      {"no output", {"--polar", dir.File("empty.dat")}, 64, "missing -o OUT"},
      {"two sources", {"--cyl", "a", "--formula", "x", "-o", dir.File("m.png")}, 64, "exclude"},
      {"zero width", {"--width", "0", "-o", dir.File("m.png")}, 64, "--width needs an integer"},
      {"bad height", {"--height", "5x", "-o", dir.File("m.png")}, 64, "--height needs an integer"},
      {"stray argument", {"map.png"}, 64, "unexpected argument 'map.png'"},
      {"no radius at all",
       {"--polar", dir.File("empty.dat"), "-o", dir.File("m.png")},
       1,
       "Floating point division by zero.\n"},
      {"missing file", {"--cyl", dir.File("none.dat"), "-o", dir.File("m.png")}, 1, "File not found."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RenderRun run = Render(c.args);
    EXPECT_EQ(run.code, c.code);
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("m.png")));
  }
}

}  // namespace
}  // namespace orbisk::cli
