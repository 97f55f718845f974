#include "contour/crossings.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>

#include "contour/trace_support.h"
#include "platform/error.h"

namespace orbisk {
namespace {

using testing::MakeGrid;

CrossingPool Gather(const PolarGrid& grid, long double level) {
  CrossingPool pool;
  std::int32_t stage = -1;
  GatherCrossings(grid, level, pool, stage);
  EXPECT_EQ(stage, 1);
  EXPECT_EQ(pool.Fi.Count(), pool.R.Count());
  return pool;
}

TEST(Between, IncludesBothEndsInEitherOrder) {
  EXPECT_TRUE(Between(1, 1, 2));
  EXPECT_TRUE(Between(2, 1, 2));
  EXPECT_TRUE(Between(1.5L, 2, 1));
  EXPECT_FALSE(Between(0.5L, 2, 1));
  EXPECT_FALSE(Between(std::nanl(""), 0, 1));
}

TEST(GatherCrossings, InterpolatesARadialEdge) {
  auto grid = MakeGrid(2, 2, 0, 1, 1, 1.5L);  // r(0) = 1, StepR = 0.5
  grid->Values[0][0] = 0;
  grid->Values[0][1] = 2;
  grid->Values[1][0] = grid->Values[1][1] = 9;
  CrossingPool pool = Gather(*grid, 0.5L);
  ASSERT_GE(pool.Fi.Count(), 1);
  EXPECT_EQ(pool.Fi.Get(0), 0);
  EXPECT_EQ(pool.R.Get(0), 1.125L);
}

TEST(GatherCrossings, KeepsThePoolOrder) {
  // 3 rows x 2 columns; the level 0.5 separates 0 from 1.
  auto grid = MakeGrid(3, 2, 0, 2, 1, 2);
  const double values[3][2] = {{0, 1}, {1, 1}, {1, 0}};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 2; ++j) grid->Values[i][j] = values[i][j];
  }
  CrossingPool pool = Gather(*grid, 0.5L);
  // Radial: rows 0 and 2. Column 0: arc 0-1, closing 2-0. Column 1: arc 1-2,
  // closing 2-0.
  const long double expected[][2] = {{0, 1.5L}, {2, 1.5L}, {0.5L, 1}, {2.5L, 1}, {1.5L, 2}, {2.5L, 2}};
  ASSERT_EQ(pool.Fi.Count(), 6);
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(pool.Fi.Get(k), expected[k][0]) << k;
    EXPECT_EQ(pool.R.Get(k), expected[k][1]) << k;
  }
}

TEST(GatherCrossings, PlateauPutsOneCrossingOnTheFirstNodeOfEveryEdge) {
  auto grid = MakeGrid(4, 3, 0, 3, 1, 3);
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 3; ++j) grid->Values[i][j] = 7;
  }
  CrossingPool pool = Gather(*grid, 7);
  ASSERT_EQ(pool.Fi.Count(), 4 * 2 + 3 * 4);
  // The last entry is the closing edge of the outer column, on row NFi-1.
  EXPECT_EQ(pool.Fi.Get(19), 3);
  EXPECT_EQ(pool.R.Get(19), 3);
  EXPECT_EQ(pool.Fi.Get(18), 2);  // arc edge 2-3 starts on row 2
}

TEST(GatherCrossings, SectorClosingEdgeLiesBeyondTheLastRow) {
  auto grid = MakeGrid(3, 2, 0, 1, 1, 2);  // StepFi = 0.5
  for (int j = 0; j < 2; ++j) {
    grid->Values[0][j] = 4;
    grid->Values[1][j] = grid->Values[2][j] = 0;
  }
  CrossingPool pool = Gather(*grid, 1);
  ASSERT_EQ(pool.Fi.Count(), 4);
  EXPECT_EQ(pool.Fi.Get(1), 1.125L);  // closing edge of column 0: 1 + 0.5 * 1/4
}

TEST(GatherCrossings, FailedInterpolationFallsOnTheFirstNode) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  auto grid = MakeGrid(2, 2, 0, 1, 1, 2);
  grid->Values[0][0] = -kInf;  // (0 / inf) * inf is an invalid operation
  grid->Values[0][1] = kInf;
  grid->Values[1][0] = grid->Values[1][1] = 5;
  CrossingPool pool = Gather(*grid, 0);
  ASSERT_GE(pool.Fi.Count(), 1);
  EXPECT_EQ(pool.R.Get(0), 1);
}

TEST(GatherCrossings, RejectsCountsBeyondTheValueArray) {
  auto grid = MakeGrid(300, 2, 0, 1, 1, 2);
  CrossingPool pool;
  std::int32_t stage = -1;
  EXPECT_THROW(GatherCrossings(*grid, 0, pool, stage), InputError);
  EXPECT_EQ(stage, 0);
  grid->NFi = 0;
  EXPECT_EQ(Gather(*grid, 0).Fi.Count(), 0);
}

}  // namespace
}  // namespace orbisk
