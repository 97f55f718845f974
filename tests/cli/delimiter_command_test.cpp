#include <gtest/gtest.h>
#include <sstream>

#include "cli/commands.h"
#include "support/temp_dir.h"

namespace orbisk::cli {
namespace {

using orbisk::testing::ReadFile;
using orbisk::testing::TempDir;
using orbisk::testing::WriteFile;

TEST(DelimiterCommand, RewritesTheFileByMode) {
  TempDir dir;
  WriteFile(dir.File("in.txt"), "1.5;2,5\n");
  const struct {
    const char* mode;
    const char* out;
  } rows[] = {{"p2c", "1,5;2,5\r\n"}, {"c2p", "1.5;2.5\r\n"}, {"swap", "1,5;2.5\r\n"}};
  for (const auto& row : rows) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"delimiter", row.mode, dir.File("in.txt"), dir.File("out.txt")}, out, err), 0);
    EXPECT_EQ(ReadFile(dir.File("out.txt")), row.out) << row.mode;
    EXPECT_EQ(err.str(), "");
  }
}

TEST(DelimiterCommand, ReportsFailuresOnStderr) {
  TempDir dir;
  std::ostringstream out, err;
  EXPECT_EQ(RunCli({"delimiter", "p2c", dir.File("missing.txt"), dir.File("out.txt")}, out, err), 1);
  EXPECT_EQ(err.str(), "Не могу открыть файл " + dir.File("missing.txt") + ".\n");

  std::ostringstream out2, err2;
  EXPECT_EQ(RunCli({"delimiter", "dots", "a", "b"}, out2, err2), 64);
  EXPECT_NE(err2.str().find("usage: orbisk-cli delimiter (p2c|c2p|swap) SRC DST"), std::string::npos);
}

}  // namespace
}  // namespace orbisk::cli
