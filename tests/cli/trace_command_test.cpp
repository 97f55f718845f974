#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

#include "cli/commands.h"
#include "contour/compute_contours.h"
#include "polar_data/cyl_data_file.h"
#include "polar_data/polar_data_file.h"
#include "polar_data/sampling.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace orbisk::cli {
namespace {

using orbisk::testing::TempDir;

int Cli(const Args& args, std::string* errText = nullptr) {
  std::ostringstream out, err;
  const int code = RunCli(args, out, err);
  if (errText != nullptr) *errText = err.str();
  return code;
}

bool SameBits(long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; }

TEST(TraceCommand, WritesPolylinesThatReloadBitForBit) {
  TempDir dir;
  const std::string cyl = dir.File("t.dat"), lines = dir.File("lines.dat");
  ASSERT_EQ(Cli({"generate", "3d", cyl}), 0);
  std::string err;
  ASSERT_EQ(Cli({"trace", "--cyl", cyl, "--levels", "6", "-o", lines}, &err), 0) << err;

  auto grid = std::make_unique<PolarGrid>();
  ReadCylDataFile(cyl, *grid);
  ScanGrid(*grid);
  ContourStore traced;
  orbisk::testing::FakeUi ui;
  ComputeContours(*grid, 6, traced, ui);

  auto reloadedGrid = std::make_unique<PolarGrid>();
  ContourStore reloaded;
  ReadPolarDataFile(lines, reloaded, *reloadedGrid);
  EXPECT_TRUE(SameBits(reloadedGrid->RInt, grid->RInt));
  EXPECT_TRUE(SameBits(reloadedGrid->RExt, grid->RExt));
  ASSERT_EQ(reloaded.LinesFi.Count(), traced.LinesFi.Count());
  ASSERT_GT(traced.LinesFi.Count(), 0);
  for (std::int32_t k = 0; k < traced.LinesFi.Count(); ++k) {
    const TListExt& fi = *traced.LinesFi.Get(k);
    const TListExt& r = *traced.LinesR.Get(k);
    ASSERT_EQ(reloaded.LinesFi.Get(k)->Count(), fi.Count()) << k;
    for (std::int32_t m = 0; m < fi.Count(); ++m) {
      ASSERT_TRUE(SameBits(reloaded.LinesFi.Get(k)->Get(m), fi.Get(m))) << k << ":" << m;
      ASSERT_TRUE(SameBits(reloaded.LinesR.Get(k)->Get(m), r.Get(m))) << k << ":" << m;
    }
  }
}

TEST(TraceCommand, RefusesBadArgumentsBeforeWriting) {
  TempDir dir;
  const std::string out = dir.File("out.dat");
  const struct {
    const char* name;
    Args args;
  } cases[] = {
      {"no output", {"trace", "--levels", "3"}},
      {"zero levels", {"trace", "--levels", "0", "-o", out}},
      {"levels not a number", {"trace", "--levels", "7x", "-o", out}},
      {"two sources", {"trace", "--cyl", "a.dat", "--nfi", "10", "-o", out}},
      {"unknown option", {"trace", "--width", "3", "-o", out}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string err;
    EXPECT_EQ(Cli(c.args, &err), 64);
    EXPECT_EQ(err.rfind("orbisk-cli trace: ", 0), 0u) << err;
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(TraceCommand, MissingCylFileFailsWithoutOutput) {
  TempDir dir;
  std::string err;
  EXPECT_EQ(Cli({"trace", "--cyl", dir.File("none.dat"), "-o", dir.File("out.dat")}, &err), 1);
  EXPECT_FALSE(err.empty());
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.dat")));
}

}  // namespace
}  // namespace orbisk::cli
