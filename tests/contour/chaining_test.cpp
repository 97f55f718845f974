#include "contour/chaining.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

#include "contour/literal_chaining.h"
#include "contour/trace_support.h"

namespace orbisk {
namespace {

using testing::MakeGrid;
using testing::Polyline;
using testing::PolylinesOf;

constexpr long double kPi = std::numbers::pi_v<long double>;

// A pool of (angle, radius) points.
CrossingPool PoolOf(std::initializer_list<std::pair<long double, long double>> points) {
  CrossingPool pool;
  for (const auto& [fi, r] : points) {
    pool.Fi.Add(fi);
    pool.R.Add(r);
  }
  return pool;
}

std::vector<Polyline> Chain(CrossingPool pool, const PolarGrid& grid) {
  ContourStore store;
  ChainCrossings(pool, grid, store);
  EXPECT_EQ(pool.Fi.Count(), 0);
  EXPECT_EQ(pool.R.Count(), 0);
  return PolylinesOf(store);
}

TEST(LinkDistance, IsTheDiagonalOfAnOuterCell) {
  auto grid = MakeGrid(5, 4, 0, 2 * kPi, 0.5L, 2);  // StepFi = pi/2, StepR = 0.5
  EXPECT_EQ(LinkDistance(*grid), 2.5L);
}

TEST(Chaining, SingleCrossingIsAOnePointPolyline) {
  auto grid = MakeGrid(5, 4, 0, 2 * kPi, 0.5L, 2);
  const auto lines = Chain(PoolOf({{1, 1}}), *grid);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].fi, std::vector<long double>{1});
}

TEST(Chaining, StartsNearestToACircleWithTiesToTheEarliestEntry) {
  auto grid = MakeGrid(9, 11, 0, 2 * kPi, 1, 2);  // link distance ~ 0.77
  const struct {
    const char* name;
    CrossingPool pool;
    long double firstRadius;
    long double firstAngle;
  } cases[] = {
      {"outer circle", PoolOf({{0, 1.5L}, {0.1L, 1.9L}, {0.2L, 1.3L}}), 1.9L, 0.1L},
      {"inner circle", PoolOf({{0, 1.5L}, {0.1L, 1.2L}, {0.2L, 1.7L}}), 1.2L, 0.1L},
      {"tie goes to the earlier entry", PoolOf({{0, 1.5L}, {0.1L, 1.25L}, {0.2L, 1.75L}}), 1.25L, 0.1L},
      {"equal distances to both circles", PoolOf({{0.3L, 1.5L}, {0.4L, 1.5L}}), 1.5L, 0.3L},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto lines = Chain(std::move(c.pool), *grid);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].r[0], c.firstRadius);
    EXPECT_EQ(lines[0].fi[0], c.firstAngle);
  }
}

TEST(Chaining, NoStartKeyBelowTheOuterRadiusStartsAtTheFirstEntry) {
  // RInt = RExt = 0: every key equals RExt, so no entry replaces entry 0.
  auto grid = MakeGrid(4, 2, 0, 1, 0, 0);
  const auto lines = Chain(PoolOf({{0.5L, 0}, {0.25L, 0}, {0.75L, 0}}), *grid);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].fi, (std::vector<long double>{0.5L, 0.25L, 0.75L, 0.5L}));
}

TEST(Chaining, NearestNeighbourTiesGoToTheEarliestEntry) {
  auto grid = MakeGrid(9, 11, 0, 2 * kPi, 1, 2);  // link distance ~ 1.5
  // From (0, 2) the entries at -0.1 and +0.1 rad are exactly as near; the
  // earlier one wins, then its duplicate at distance 0, then the other one.
  const auto lines = Chain(PoolOf({{0, 2}, {-0.1L, 2}, {0.1L, 2}, {-0.1L, 2}}), *grid);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].fi, (std::vector<long double>{0, -0.1L, -0.1L, 0.1L, 0}));
}

TEST(Chaining, ClosesOnlyTheLastPolylineOfALevel) {
  auto grid = MakeGrid(9, 11, 0, 2 * kPi, 1, 2);  // link distance ~ 1.5
  // Two loops of four points, one near angle 0 and one near angle pi: both
  // could close, but only the one under way when the pool runs out does.
  const auto lines = Chain(PoolOf({{0, 1.95L},
                                   {0.2L, 1.8L},
                                   {0, 1.6L},
                                   {-0.2L, 1.8L},
                                   {kPi, 1.9L},
                                   {kPi + 0.2L, 1.7L},
                                   {kPi, 1.5L},
                                   {kPi - 0.2L, 1.7L}}),
                           *grid);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].r, (std::vector<long double>{1.95L, 1.6L, 1.8L, 1.8L}));
  EXPECT_EQ(lines[0].fi, (std::vector<long double>{0, 0, 0.2L, -0.2L}));
  ASSERT_EQ(lines[1].r.size(), 5u);
  EXPECT_EQ(lines[1].r[0], 1.9L);
  EXPECT_EQ(lines[1].r[1], 1.5L);
  EXPECT_EQ(lines[1].r[4], 1.9L);
  EXPECT_EQ(lines[1].fi[4], lines[1].fi[0]);
}

TEST(Chaining, ALinkLongerThanTheLinkDistanceEndsThePolyline) {
  auto grid = MakeGrid(5, 4, 0, 2 * kPi, 0.5L, 2);  // link distance 2.5
  // (1.5, 0) is 3.5 from (2, pi): the first polyline ends there, open.
  const auto lines = Chain(PoolOf({{0, 2}, {kPi, 2}, {0, 1.5L}}), *grid);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].r, (std::vector<long double>{2, 1.5L}));
  EXPECT_EQ(lines[1].r, (std::vector<long double>{2}));
}

// Pools whose coordinates lie at the edges of double: angles beyond its range
// (whose sine and cosine in double are not numbers), and points apart by less
// than the smallest normal double, so that a cell of the index would have no
// finite inverse. Both chain as the literal walk does.
TEST(Chaining, PoolsAtTheEdgesOfDoubleChainAsTheLiteralWalk) {
  auto grid = MakeGrid(9, 11, 0, 2 * kPi, 1, 2);
  const struct {
    const char* name;
    std::initializer_list<std::pair<long double, long double>> points;
  } cases[] = {
      {"angles beyond double", {{1e400L, 1.5L}, {-1e400L, 1.5L}, {1e400L, 1.6L}, {0.25L, 1.5L}}},
      {"angles a subnormal apart", {{0, 1}, {1e-310L, 1}, {2e-310L, 1}, {3e-310L, 1}, {5e-310L, 1}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CrossingPool literal = PoolOf(c.points);
    ContourStore expected;
    ChainCrossingsLiterally(literal, *grid, expected);
    EXPECT_EQ(Chain(PoolOf(c.points), *grid), PolylinesOf(expected));
  }
}

}  // namespace
}  // namespace orbisk
