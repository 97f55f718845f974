// The desktop program's command line.

#include <gtest/gtest.h>
#include <regex>

#include "gui/desktop_arguments.h"

namespace orbisk {
namespace {

TEST(DesktopArguments, ReadInOrder) {
  using Action = DesktopArguments::Action;
  const struct {
    std::vector<std::string> args;
    Action action;
    std::string file;
    std::string fault;
  } cases[] = {
      {{}, Action::Run, "", ""},
      {{"grid.dat"}, Action::Run, "grid.dat", ""},
      {{"--version"}, Action::Version, "", ""},
      {{"grid.dat", "--help"}, Action::Help, "", ""},
      {{"-h", "--version"}, Action::Help, "", ""},
      {{"--", "--version"}, Action::Run, "--version", ""},
      {{"-"}, Action::Run, "-", ""},
      {{"-x", "--help"}, Action::Fault, "", "unknown option '-x'"},
      {{"a.dat", "b.dat"}, Action::Fault, "", "one file at most, not 'a.dat' and 'b.dat'"},
      {{""}, Action::Fault, "", "the file name is empty"},
  };
  for (const auto& row : cases) {
    const DesktopArguments parsed = ParseDesktopArguments(row.args);
    const std::string trace = ::testing::PrintToString(row.args);
    EXPECT_EQ(parsed.action, row.action) << trace;
    EXPECT_EQ(parsed.file, row.file) << trace;
    EXPECT_EQ(parsed.fault, row.fault) << trace;
  }
  EXPECT_TRUE(std::regex_match(DesktopVersion(), std::regex(R"(orbisk \d+\.\d+\.\d+)"))) << DesktopVersion();
}

}  // namespace
}  // namespace orbisk
