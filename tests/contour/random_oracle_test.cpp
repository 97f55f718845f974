// The fast chaining against the literal walk on seeded random grids.

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <random>

#include "contour/compute_contours.h"
#include "contour/trace_support.h"
#include "support/fake_ui.h"

namespace orbisk {
namespace {

using testing::Polyline;

constexpr long double kPi = std::numbers::pi_v<long double>;

enum class Values { Noise, Plateaus, LevelHits, Smooth };

long double PickAngle(std::mt19937_64& random) {
  std::uniform_real_distribution<long double> any(-7, 7);
  return any(random);
}

// Fills grid with a random size, domain and values; returns the level count.
std::int32_t FillRandomGrid(std::mt19937_64& random, PolarGrid& grid) {
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  std::int32_t nFi = 2 + pick(11);
  std::int32_t nR = 2 + pick(11);
  const int size = pick(40);
  if (size == 0) nFi = 256, nR = 2 + pick(3);
  if (size == 1) nR = 256, nFi = 2 + pick(3);
  if (size == 2) nFi = nR = 16 + pick(9);

  long double fiStart = 0, fiEnd = 2 * kPi;
  switch (pick(6)) {
    case 0:
      break;  // full circle
    case 1:
      fiStart = PickAngle(random), fiEnd = PickAngle(random);
      break;  // sector, either way
    case 2:
      fiStart = 2 * kPi, fiEnd = 0;
      break;  // reversed full circle
    case 3:
      fiStart = fiEnd = PickAngle(random);
      break;  // no angular extent
    case 4:
      fiStart = 0, fiEnd = 40 * kPi;
      break;  // wound many times: long links
    default:
      fiStart = 0, fiEnd = PickAngle(random);
      break;
  }
  long double rInt = 1, rExt = 2;
  switch (pick(8)) {
    case 0:
      rInt = 0;
      break;
    case 7:
      rInt = 1e302L, rExt = 2e302L;
      break;  // beyond the fast index: the literal walk
    case 1:
      rInt = rExt = 1.5L;
      break;
    case 2:
      rInt = rExt = 0;
      break;
    case 3:
      rInt = 1e-300L, rExt = 3e-300L;
      break;
    case 4:
      rInt = 1e290L, rExt = 5e290L;
      break;
    case 5:
      rInt = 3, rExt = 1;
      break;  // reversed radii
    default:
      break;
  }
  grid.NFi = nFi;
  grid.NR = nR;
  grid.FiStart = fiStart;
  grid.FiEnd = fiEnd;
  grid.RInt = rInt;
  grid.RExt = rExt;
  grid.StepFi = (fiEnd - fiStart) / (nFi - 1);
  grid.StepR = (rExt - rInt) / (nR - 1);

  const auto kind = static_cast<Values>(pick(4));
  std::uniform_real_distribution<double> unit(0, 1);
  const int nLevel = kind == Values::LevelHits ? 5 : 1 + pick(4);
  const double phase = unit(random) * 6;
  for (std::int32_t i = 0; i < nFi; ++i) {
    for (std::int32_t j = 0; j < nR; ++j) {
      double v = 0;
      switch (kind) {
        case Values::Noise:
          v = unit(random);
          break;
        case Values::Plateaus:
          v = (i / 3 + j / 2) % 3;
          break;
        case Values::LevelHits:
          v = pick(11);
          break;  // 0..10 against levels 1, 3, .., 9
        case Values::Smooth:
          v = std::sin(0.3 * i + phase) + std::cos(0.2 * j * phase);
          break;
      }
      grid.Values[i][j] = v;
    }
  }
  if (kind == Values::LevelHits) grid.Values[0][0] = 0, grid.Values[nFi - 1][nR - 1] = 10;
  // The oracle is quadratic: keep the big grids to few crossings.
  const bool big = nFi * nR > 300;
  testing::ScanValues(grid);
  return big ? 1 : nLevel;
}

// Traces the grid with nLevel levels and compares with the literal walk.
::testing::AssertionResult TracesAsTheLiteralWalk(const PolarGrid& grid, std::int32_t nLevel) {
  ContourStore store;
  testing::FakeUi ui;
  ComputeContours(grid, nLevel, store, ui);
  if (!ui.messages.empty()) return ::testing::AssertionFailure() << ui.messages[0];
  const std::string difference =
      testing::PolylinesDifference(testing::PolylinesOf(store), testing::LiteralTrace(grid, nLevel));
  if (!difference.empty()) return ::testing::AssertionFailure() << difference;
  return ::testing::AssertionSuccess();
}

struct Domain {
  long double fiStart, fiEnd, rInt, rExt;
};

// Sets a grid of nFi x nR nodes over the domain.
void SetDomain(PolarGrid& grid, std::int32_t nFi, std::int32_t nR, const Domain& domain) {
  grid.NFi = nFi, grid.NR = nR;
  grid.FiStart = domain.fiStart, grid.FiEnd = domain.fiEnd;
  grid.RInt = domain.rInt, grid.RExt = domain.rExt;
  grid.StepFi = (grid.FiEnd - grid.FiStart) / (nFi - 1);
  grid.StepR = (grid.RExt - grid.RInt) / (nR - 1);
}

TEST(RandomGrids, FastTracingEqualsTheLiteralWalkBitForBit) {
  std::mt19937_64 random(20261207);
  auto grid = std::make_unique<PolarGrid>();
  for (int n = 0; n < 2200; ++n) {
    const std::int32_t nLevel = FillRandomGrid(random, *grid);
    const PolarGrid& g = *grid;
    SCOPED_TRACE(::testing::Message() << "grid " << n << ": " << g.NFi << "x" << g.NR << " fi "
                                      << static_cast<double>(g.FiStart) << ".." << static_cast<double>(g.FiEnd) << " r "
                                      << static_cast<double>(g.RInt) << ".." << static_cast<double>(g.RExt)
                                      << " levels " << nLevel);
    ASSERT_TRUE(TracesAsTheLiteralWalk(g, nLevel));
  }
}

// Domains where the double positions of the search are far from exact: huge
// angles, radii near the limits of double and of the index, the origin shared
// by a whole column. Values on a lattice put many crossings on nodes, so that
// distances tie or sit on the link distance and only exact arithmetic decides.
TEST(RandomGrids, CloseCallsInExtremeDomainsEqualTheLiteralWalk) {
  const Domain domains[] = {
      {0, 1e6L, 1, 2},
      {-1e4L, 1e4L, 0, 1},
      {0, 2 * kPi, 0, 1e-310L},
      {0, 2 * kPi, 1e299L, 1e300L},
      {0, 2 * kPi, 1e-2100L, 2e-2100L},
      {kPi, -kPi, 0, 3},
      // One circle wound many times: points that coincide all but exactly lie
      // far apart by their approximate positions, and the links are shorter
      // than those errors.
      {0, 40 * kPi, 1.5L, 1.5L},
  };
  std::mt19937_64 random(77);
  auto grid = std::make_unique<PolarGrid>();
  for (const Domain& domain : domains) {
    for (int n = 0; n < 60; ++n) {
      PolarGrid& g = *grid;
      const auto nFi = 2 + static_cast<std::int32_t>(random() % 11);
      SetDomain(g, nFi, 2 + static_cast<std::int32_t>(random() % 11), domain);
      const bool lattice = n % 2 == 0;
      for (std::int32_t i = 0; i < g.NFi; ++i) {
        for (std::int32_t j = 0; j < g.NR; ++j) {
          g.Values[i][j] = lattice ? static_cast<double>(random() % 3) : static_cast<double>(random() % 1000) / 1000;
        }
      }
      testing::ScanValues(g);
      const std::int32_t nLevel = lattice ? 3 : 4;
      SCOPED_TRACE(::testing::Message() << "domain " << static_cast<double>(domain.fiEnd) << " "
                                        << static_cast<double>(domain.rExt) << " grid " << n);
      ASSERT_TRUE(TracesAsTheLiteralWalk(g, nLevel));
    }
  }
}

// One row or one column of nodes: the closing edge joins a row to itself, and
// radial or arc edges are missing altogether.
TEST(RandomGrids, SingleRowOrColumnGridsEqualTheLiteralWalk) {
  std::mt19937_64 random(5);
  auto grid = std::make_unique<PolarGrid>();
  for (int n = 0; n < 200; ++n) {
    PolarGrid& g = *grid;
    const auto other = 1 + static_cast<std::int32_t>(random() % 12);
    g.NFi = n % 2 == 0 ? 1 : other;
    g.NR = n % 2 == 0 ? other : 1;
    g.FiStart = 0.25L, g.FiEnd = 2;
    g.RInt = 1, g.RExt = 2;
    g.StepFi = 0.5L, g.StepR = 0.125L;  // finite steps, as a one-node span would not give
    for (std::int32_t i = 0; i < g.NFi; ++i) {
      for (std::int32_t j = 0; j < g.NR; ++j) g.Values[i][j] = static_cast<double>(random() % 3);
    }
    testing::ScanValues(g);
    SCOPED_TRACE(::testing::Message() << "grid " << n << ": " << g.NFi << "x" << g.NR);
    ASSERT_TRUE(TracesAsTheLiteralWalk(g, 3));
  }
}

// Sectors so thin that the crossings lie almost on one line, across and along
// the rows of the search and askew, and thin rings: many crossings share a
// cell, and some rows hold nearly all of them.
TEST(RandomGrids, ThinStripsEqualTheLiteralWalk) {
  const Domain domains[] = {
      {kPi / 4, kPi / 4 + 1e-9L, 1, 2}, {0, 1e-9L, 1, 2},
      {kPi / 2, kPi / 2 + 1e-9L, 1, 2}, {0.3L, 0.3L + 1e-3L, 1e5L, 1e5L + 1e-3L},
      {0, 1e-12L, 1, 1 + 1e-12L},       {-kPi / 3, kPi / 3, 2, 2 + 1e-9L},
      {0, 2 * kPi, 1, 1.05L},           {0, 2 * kPi, 1, 1 + 1e-3L},
  };
  std::mt19937_64 random(31);
  std::uniform_real_distribution<double> unit(0, 1);
  auto grid = std::make_unique<PolarGrid>();
  for (const Domain& domain : domains) {
    for (int n = 0; n < 4; ++n) {
      PolarGrid& g = *grid;
      const auto nFi = 20 + static_cast<std::int32_t>(random() % 30);
      SetDomain(g, nFi, 20 + static_cast<std::int32_t>(random() % 30), domain);
      for (std::int32_t i = 0; i < g.NFi; ++i) {
        for (std::int32_t j = 0; j < g.NR; ++j) g.Values[i][j] = unit(random);
      }
      testing::ScanValues(g);
      SCOPED_TRACE(::testing::Message() << "domain " << static_cast<double>(domain.fiStart) << " "
                                        << static_cast<double>(domain.rInt) << " grid " << n);
      ASSERT_TRUE(TracesAsTheLiteralWalk(g, 1));
    }
  }
}

// Grids of a few dozen nodes a side: enough crossings that a search meets the
// edges of the cells it scans first and must look farther.
TEST(RandomGrids, MidSizedGridsEqualTheLiteralWalk) {
  const Domain domains[] = {{0, 2 * kPi, 1, 2}, {0, 2 * kPi, 0, 1}, {0.5L, 2.5L, 1, 3}, {0, 2 * kPi, 1.5L, 1.5L}};
  std::mt19937_64 random(99);
  std::uniform_real_distribution<double> unit(0, 1);
  auto grid = std::make_unique<PolarGrid>();
  for (int n = 0; n < 40; ++n) {
    PolarGrid& g = *grid;
    const auto nFi = 20 + static_cast<std::int32_t>(random() % 30);
    SetDomain(g, nFi, 20 + static_cast<std::int32_t>(random() % 30), domains[n % 4]);
    const bool lattice = n % 3 == 0;
    for (std::int32_t i = 0; i < g.NFi; ++i) {
      for (std::int32_t j = 0; j < g.NR; ++j)
        g.Values[i][j] = lattice ? static_cast<double>(random() % 4) : unit(random);
    }
    testing::ScanValues(g);
    SCOPED_TRACE(::testing::Message() << "grid " << n << ": " << g.NFi << "x" << g.NR);
    ASSERT_TRUE(TracesAsTheLiteralWalk(g, 2));
  }
}

}  // namespace
}  // namespace orbisk
