#include "contour/compute_contours.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>

#include "contour/chaining.h"
#include "contour/trace_support.h"
#include "platform/error.h"
#include "support/fake_ui.h"

namespace orbisk {
namespace {

using testing::FakeUi;
using testing::MakeGrid;
using testing::Polyline;
using testing::PolylinesOf;

constexpr long double kPi = std::numbers::pi_v<long double>;

// Checks what every traced store must satisfy: parallel lists, no empty
// entries, every link and every closing link within the link distance.
void ExpectSoundPolylines(const ContourStore& store, const PolarGrid& grid) {
  ASSERT_EQ(store.LinesFi.Count(), store.LinesR.Count());
  const long double link = LinkDistance(grid);
  for (std::int32_t k = 0; k < store.LinesFi.Count(); ++k) {
    const TListExt* fi = store.LinesFi.Get(k);
    const TListExt* r = store.LinesR.Get(k);
    ASSERT_TRUE(fi != nullptr && r != nullptr) << k;
    ASSERT_EQ(fi->Count(), r->Count()) << k;
    ASSERT_GE(fi->Count(), 1) << k;
    for (std::int32_t m = 1; m < fi->Count(); ++m) {
      const long double x0 = r->Get(m - 1) * std::cos(fi->Get(m - 1));
      const long double y0 = r->Get(m - 1) * std::sin(fi->Get(m - 1));
      const long double x1 = r->Get(m) * std::cos(fi->Get(m));
      const long double y1 = r->Get(m) * std::sin(fi->Get(m));
      EXPECT_LE(std::sqrt((x1 - x0) * (x1 - x0) + (y1 - y0) * (y1 - y0)), link) << k << ":" << m;
    }
  }
}

// A full circle with a bump: value = radius, plus 3 on row 2.
std::unique_ptr<PolarGrid> BumpGrid() {
  auto grid = MakeGrid(9, 5, 0, 2 * kPi, 1, 2);
  for (int i = 0; i < 9; ++i) {
    for (int j = 0; j < 5; ++j) grid->Values[i][j] = 1 + 0.25 * j + (i == 2 ? 3 : 0);
  }
  testing::ScanValues(*grid);
  return grid;
}

TEST(ComputeContours, TracesEveryLevelBetweenHourglassAndCursor) {
  auto grid = BumpGrid();
  ContourStore store;
  store.LinesFi.Add(std::make_unique<TListExt>());  // a stale entry to be cleared
  store.LinesR.Add(nullptr);
  FakeUi ui;
  ComputeContours(*grid, 3, store, ui);
  EXPECT_EQ(ui.log, (std::vector<std::string>{"hourglass", "events", "cursor"}));
  ExpectSoundPolylines(store, *grid);
  EXPECT_EQ(PolylinesOf(store).size(), testing::LiteralTrace(*grid, 3).size());
  EXPECT_GT(store.LinesFi.Count(), 0);
}

TEST(ComputeContours, NegativeLevelCountLeavesTheStoreEmpty) {
  auto grid = BumpGrid();
  ContourStore store;
  store.LinesFi.Add(std::make_unique<TListExt>());
  store.LinesR.Add(std::make_unique<TListExt>());
  FakeUi ui;
  ComputeContours(*grid, -2, store, ui);
  EXPECT_EQ(store.LinesFi.Count(), 0);
  EXPECT_EQ(store.LinesR.Count(), 0);
  EXPECT_EQ(ui.log.back(), "cursor");
}

TEST(ComputeContours, ZeroLevelsFailAfterClearingAndKeepTheHourglass) {
  auto grid = BumpGrid();
  ContourStore store;
  store.LinesFi.Add(std::make_unique<TListExt>());
  store.LinesR.Add(std::make_unique<TListExt>());
  FakeUi ui;
  EXPECT_THROW(ComputeContours(*grid, 0, store, ui), MathError);
  EXPECT_EQ(store.LinesFi.Count(), 0);
  EXPECT_EQ(ui.log, (std::vector<std::string>{"hourglass", "events"}));
}

TEST(ComputeContours, ReportsAFailedLevelAndGoesOn) {
  // Radii so large that the link distance overflows while chaining (stage 1).
  auto grid = MakeGrid(4, 2, 0, 1, 1e4000L, 1e4000L);
  grid->Values[0][0] = 1;
  testing::ScanValues(*grid);
  ContourStore store;
  FakeUi ui;
  ComputeContours(*grid, 2, store, ui);
  EXPECT_EQ(ui.messages,
            (std::vector<std::string>{"it=1 il=0 Floating point overflow", "it=1 il=1 Floating point overflow"}));
  EXPECT_EQ(ui.log.back(), "cursor");
  EXPECT_EQ(store.LinesFi.Count(), 0);
}

TEST(ComputeContours, ReportsAGatheringFailureAtStageZero) {
  auto grid = BumpGrid();
  grid->NFi = 300;  // more rows than the value array holds
  ContourStore store;
  FakeUi ui;
  ComputeContours(*grid, 1, store, ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].rfind("it=0 il=0 ", 0), 0u) << ui.messages[0];
}

TEST(ComputeContours, EveryPolylineKnowsItsLevel) {
  auto grid = BumpGrid();  // values 1 to 5
  FakeUi ui;
  ContourStore all;
  const LevelChoice choice{LevelMode::List, {2, 9, 1.1L, 1.4L}, 0, 0};
  EXPECT_EQ(ComputeContours(*grid, choice, 14, all, ui), (ChosenLevels{{1.1L, 1.4L, 2}, 1}));
  ASSERT_EQ(all.Levels.size(), static_cast<std::size_t>(all.LinesFi.Count()));
  // The polylines of each level are those the level traces alone, in order.
  std::vector<Polyline> expected;
  std::vector<long double> expectedLevels;
  for (long double level : {1.1L, 1.4L, 2.0L}) {
    ContourStore one;
    ComputeContours(*grid, LevelChoice{LevelMode::List, {level}, 0, 0}, 14, one, ui);
    ASSERT_GT(one.LinesFi.Count(), 0);
    for (const Polyline& line : PolylinesOf(one)) expected.push_back(line);
    expectedLevels.insert(expectedLevels.end(), static_cast<std::size_t>(one.LinesFi.Count()), level);
  }
  EXPECT_EQ(PolylinesOf(all), expected);
  EXPECT_EQ(all.Levels, expectedLevels);
  EXPECT_EQ(all.LevelOf(0), 1.1L);

  ComputeContours(*grid, 3, all, ui);  // the plain count tags as well
  const std::vector<long double> even = ContourLevels(grid->MinValue, grid->MaxValue, 3);
  EXPECT_TRUE(all.HasLevels());
  EXPECT_EQ(all.Levels.front(), even.front());
  EXPECT_EQ(all.Levels.back(), even.back());
  all.ClearLines();
  EXPECT_FALSE(all.HasLevels());
  EXPECT_EQ(all.LevelOf(0), std::nullopt);
  EXPECT_TRUE(ui.messages.empty());
}

TEST(ComputeContours, UnusableChoiceFailsAfterClearing) {
  auto grid = BumpGrid();
  ContourStore store;
  store.LinesFi.Add(std::make_unique<TListExt>());
  store.LinesR.Add(std::make_unique<TListExt>());
  FakeUi ui;
  EXPECT_THROW(ComputeContours(*grid, LevelChoice{LevelMode::Step, {}, 0, 0}, 14, store, ui), InputError);
  EXPECT_EQ(store.LinesFi.Count(), 0);
}

TEST(ComputeContours, RefusesBeforeTracingLevelsThatCannotFitInMemory) {
  // Every edge of a 256 x 256 checkerboard spans the whole range, so each of
  // 65536 levels crosses all of them: terabytes of polylines.
  auto grid = MakeGrid(256, 256, 0, 1, 1, 2);
  for (std::size_t i = 0; i < 256; ++i) {
    for (std::size_t j = 0; j < 256; ++j) grid->Values[i][j] = (i + j) % 2 == 0 ? -1.0 : 1.0;
  }
  testing::ScanValues(*grid);
  ContourStore store;
  store.LinesFi.Add(std::make_unique<TListExt>());
  store.LinesR.Add(std::make_unique<TListExt>());
  FakeUi ui;
  try {
    ComputeContours(*grid, 65536, store, ui);
    ADD_FAILURE() << "traced";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Not enough memory for 65536 contour levels: they may need up to ", 0), 0u)
        << e.what();
  }
  EXPECT_EQ(store.LinesFi.Count(), 0);
  EXPECT_TRUE(ui.messages.empty());
}

// Values that no formula or data file gives, but that tracing must survive: a
// NaN node is never crossed, a NaN range gives NaN levels that cross nothing,
// and an infinite range fails the level selection as the FPU would.
TEST(ComputeContours, NonFiniteValuesTraceWithoutFault) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const struct {
    const char* name;
    double first, inner;  // Values[0][0] and Values[3][2]
    const char* error;
  } rows[] = {
      {"NaN at the first node", kNaN, 0.5, ""},
      {"NaN inside", 0, kNaN, ""},
      {"infinity inside", 0, kInf, "Invalid floating point operation"},
      {"both infinities", -kInf, kInf, "Invalid floating point operation"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    auto grid = BumpGrid();
    grid->Values[0][0] = row.first;
    grid->Values[3][2] = row.inner;
    testing::ScanValues(*grid);
    ContourStore store;
    FakeUi ui;
    std::string error;
    try {
      ComputeContours(*grid, 4, store, ui);
    } catch (const Error& e) {
      error = e.what();
    }
    EXPECT_EQ(error, row.error);
    EXPECT_TRUE(ui.messages.empty());
    if (error.empty()) {
      EXPECT_EQ(PolylinesOf(store), testing::LiteralTrace(*grid, 4));
    }
  }
}

}  // namespace
}  // namespace orbisk
