#include "polar_data/test_data.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/error.h"
#include "polar_data/cyl_data_file.h"
#include "polar_data/polar_data_file.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace orbisk {
namespace {

using testing::FakeUi;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// Lines split at CR LF; a last line without its end is kept.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
    lines.push_back(text.substr(start, at - start));
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

TEST(Generate3dData, FileLayoutAndFirstValues) {
  std::string text = FormatTest3dData();
  std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), 101u);
  EXPECT_NE(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(lines[0],
            "100  0.00000000000000E+0000  6.28318530717959E+0000 100  5.00000000000000E-0001  "
            "1.00000000000000E+0000");
  EXPECT_EQ(lines[1].substr(0, 24), "-7.92893218813452E-0001 ");
  for (std::size_t i = 1; i < lines.size(); ++i) ASSERT_EQ(lines[i].size(), 100u * 24) << i;
  EXPECT_EQ(lines.back().back(), ' ');
}

TEST(Generate3dData, LoadsAsA100By100GridWhoseFirstAndLastRowsAgree) {
  auto grid = std::make_unique<PolarGrid>();
  ReadCylData(FormatTest3dData(), *grid);
  EXPECT_EQ(grid->NFi, 100);
  EXPECT_EQ(grid->NR, 100);
  EXPECT_NEAR(grid->Values[0][0], 5.5 + std::sqrt(0.5) - 7, 1e-14);
  for (int j = 0; j < 100; ++j) EXPECT_NEAR(grid->Values[0][j], grid->Values[99][j], 1e-13) << j;
}

TEST(Generate3dData, SetsTheDomainOnlyAfterTheFileCouldBeCreated) {
  TempDir dir;
  FakeUi ui;
  auto grid = std::make_unique<PolarGrid>();
  grid->Values[0][0] = 42;
  grid->StepR = 7;
  EXPECT_THROW(Generate3dData(dir.File("no/such/folder.dat"), *grid, ui), FileError);
  EXPECT_EQ(grid->NFi, 0);

  Generate3dData(dir.File("t.dat"), *grid, ui);
  EXPECT_EQ(ReadFile(dir.File("t.dat")), FormatTest3dData());
  EXPECT_EQ(grid->NFi, 100);
  EXPECT_EQ(grid->NR, 100);
  EXPECT_EQ(grid->FiEnd, 2 * 3.141592653589793238462643383279502884L);
  EXPECT_EQ(grid->RInt, 0.5L);
  EXPECT_EQ(grid->RExt, 1);
  EXPECT_EQ(grid->Values[0][0], 42);
  EXPECT_EQ(grid->StepR, 7);
  EXPECT_TRUE(ui.messages.empty());
}

TEST(GeneratePolarData, FileLayoutAndStore) {
  ContourStore store;
  std::string text = FormatTestPolarData(store);
  std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), 157u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(lines[0], "3  3.00000000000000E+0000  2.00000000000000E+0001");
  EXPECT_EQ(lines[1], "51");
  EXPECT_EQ(lines[2], " 0.00000000000000E+0000  1.00000000000000E+0001");
  EXPECT_EQ(lines[52], " 6.28318530717959E+0000  1.29411764705882E+0001");
  EXPECT_EQ(lines[53], "51");
  EXPECT_EQ(lines[105], "51");
  EXPECT_EQ(lines[156], " 6.28318530717959E+0000  1.49411764705882E+0001");

  ASSERT_EQ(store.LinesFi.Count(), 3);
  ASSERT_EQ(store.LinesR.Count(), 3);
  for (int k = 0; k < 3; ++k) {
    ASSERT_EQ(store.LinesFi.Get(k)->Count(), 51);
    ASSERT_EQ(store.LinesR.Get(k)->Count(), 51);
    EXPECT_EQ(store.LinesR.Get(k)->Get(0), 10 + k);
  }
}

TEST(GeneratePolarData, FileLoadsBackToTheSameSpirals) {
  TempDir dir;
  FakeUi ui;
  auto grid = std::make_unique<PolarGrid>();
  ContourStore generated;
  GeneratePolarData(dir.File("p.dat"), generated, *grid, ui);
  EXPECT_EQ(grid->RInt, 3);
  EXPECT_EQ(grid->RExt, 20);

  ContourStore loaded;
  auto other = std::make_unique<PolarGrid>();
  ReadPolarDataFile(dir.File("p.dat"), loaded, *other);
  ASSERT_EQ(loaded.LinesFi.Count(), 3);
  for (int k = 0; k < 3; ++k) {
    for (int p = 0; p < 51; ++p) {
      EXPECT_NEAR(loaded.LinesFi.Get(k)->Get(p), generated.LinesFi.Get(k)->Get(p), 1e-13L);
      EXPECT_NEAR(loaded.LinesR.Get(k)->Get(p), generated.LinesR.Get(k)->Get(p), 1e-13L);
    }
  }
}

TEST(Generators, OutputErrorIsShownAndTheOldFileStays) {
  TempDir dir;
  FakeUi ui;
  auto grid = std::make_unique<PolarGrid>();
  ContourStore store;
  WriteFile(dir.File("t.dat"), "old");
  SetWriteFaultForTesting([](std::size_t) { return true; });  // as on a full disk
  Generate3dData(dir.File("t.dat"), *grid, ui);
  GeneratePolarData(dir.File("t.dat"), store, *grid, ui);
  SetWriteFaultForTesting({});
  EXPECT_EQ(ui.messages, (std::vector<std::string>{"Stream write error", "Stream write error"}));
  EXPECT_EQ(ReadFile(dir.File("t.dat")), "old");
  EXPECT_EQ(grid->NFi, 100);  // the fields were set before writing, as always
}

}  // namespace
}  // namespace orbisk
