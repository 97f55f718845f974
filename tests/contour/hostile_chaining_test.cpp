// The fast chaining against the literal walk on hostile pools: domains drawn
// apart from the points, radii across and beyond the double range, repeats,
// NaN and infinite grid values. Any difference, in the polylines or in the
// error raised, is a failure.

#include <gtest/gtest.h>
#include <memory>
#include <numbers>
#include <random>

#include "contour/hostile_pool.h"
#include "platform/error.h"

namespace orbisk {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

TEST(HostilePools, FastChainingEqualsTheLiteralWalk) {
  std::mt19937_64 random(1301);
  testing::HostileDraw draw([&] { return random(); });
  auto grid = std::make_unique<PolarGrid>();
  for (int n = 0; n < 4000; ++n) {
    testing::DrawDomain(draw, *grid);
    CrossingPool pool;
    testing::DrawPool(draw, pool, n % 10 == 0 ? 400 : 60);
    SCOPED_TRACE(::testing::Message() << "pool " << n << " of " << pool.Fi.Count());
    ASSERT_EQ(testing::ChainingDifference(pool, *grid), "");
  }
}

TEST(HostilePools, GatheredFromNaNAndInfiniteValuesEqualsTheLiteralWalk) {
  std::mt19937_64 random(1302);
  testing::HostileDraw draw([&] { return random(); });
  auto grid = std::make_unique<PolarGrid>();
  for (int n = 0; n < 2000; ++n) {
    const long double level = testing::DrawGrid(draw, *grid);
    CrossingPool pool;
    std::int32_t stage = 0;
    try {
      GatherCrossings(*grid, level, pool, stage);
    } catch (const Error&) {
      continue;  // a node coordinate beyond range: nothing to chain
    }
    SCOPED_TRACE(::testing::Message() << "grid " << n << " with " << pool.Fi.Count() << " crossings");
    ASSERT_EQ(testing::ChainingDifference(pool, *grid), "");
  }
}

// Pools that sent the chaining quadratic or out of its arrays, at sizes the
// literal walk still checks quickly.
TEST(HostilePools, DegeneratePoolsEqualTheLiteralWalk) {
  const struct {
    const char* name;
    long double rInt, rExt, stepR, stepFi;
    long double (*fi)(int k);
    long double (*r)(int k);
  } rows[] = {
      {"one point", 0, 0, 0, 0.1L, [](int) { return 0.5L; }, [](int) { return 0.0L; }},
      {"the origin at many angles", 0, 0, 0, 0.1L, [](int k) { return k * 0.01L; }, [](int) { return 0.0L; }},
      {"one circle, each angle four times", 1.5L, 1.5L, 0, 0.02L, [](int k) { return (k / 4) * 0.02L; },
       [](int) { return 1.5L; }},
      {"one ray", 1, 2, 0.004L, 0, [](int) { return 0.3L; }, [](int k) { return 1 + (k % 250) * 0.004L; }},
      {"a circle wound forty times", 1, 1, 0, 2 * kPi + 1e-3L, [](int k) { return k * (kPi / 7); },
       [](int) { return 1.0L; }},
      {"radii 1e301 to 2e301", 1e301L, 2e301L, 4e298L, 0.05L, [](int k) { return k * 0.37L; },
       [](int k) { return 1e301L + (k % 97) * 1e299L; }},
      {"link beyond double times the radii", 1e-300L, 1e10L, 4e7L, 1, [](int k) { return k * 0.37L; },
       [](int k) { return 1e-300L * (1 + k % 5); }},
      {"radii beyond double, far apart", 0, 1e3000L, 1e3000L, 0, [](int) { return 0.0L; },
       [](int k) { return k % 2 ? 1e3000L : 1e2000L; }},
      // After the first polyline (the entries at pi/2) the distances from
      // angle 0 to angle pi overflow: the level fails there.
      {"distances beyond extended", 0.6e2466L, 0.6e2466L, 0, 0,
       [](int k) { return k % 3 == 0 ? kPi / 2 : (k % 3 - 1) * kPi; }, [](int) { return 0.6e2466L; }},
      {"radii far below double", 0, 1e-3000L, 1e-3002L, 1, [](int k) { return k * 0.5L; },
       [](int k) { return 1e-3000L * (k % 7); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    auto grid = std::make_unique<PolarGrid>();
    grid->RInt = row.rInt, grid->RExt = row.rExt, grid->StepR = row.stepR, grid->StepFi = row.stepFi;
    CrossingPool pool;
    for (int k = 0; k < 1200; ++k) pool.Fi.Add(row.fi(k)), pool.R.Add(row.r(k));
    EXPECT_EQ(testing::ChainingDifference(pool, *grid), "");
  }
}

}  // namespace
}  // namespace orbisk
