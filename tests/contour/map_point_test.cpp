#include "contour/map_point.h"

#include <gtest/gtest.h>
#include <memory>
#include <numbers>

namespace orbisk {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

TEST(MapPoint, PixelsBackToTheDomain) {
  const MapPlacement square{120, 120, 250, 250, 500};
  const struct {
    const char* name;
    MapPlacement placement;
    long double px, py;
    std::optional<MapPoint> point;
  } cases[] = {
      {"centre", square, 250, 250, MapPoint{0, 0, 0, 0}},
      {"angle 0 radius 1", square, 370, 250, MapPoint{1, 0, 1, 0}},
      {"top of the outer circle", square, 250, 10, MapPoint{0, 2, 2, kPi / 2}},
      {"left, below", square, 130, 370, MapPoint{-1, -1, std::sqrt(2.0L), -3 * kPi / 4}},
      {"legend strip", {103.25L, 120, 216, 250, 433}, 433, 250, std::nullopt},
      {"no scale", {0, 120, 250, 250, 500}, 300, 250, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<MapPoint> point = PointAtPixel(c.placement, c.px, c.py);
    ASSERT_EQ(point.has_value(), c.point.has_value());
    if (!point) continue;
    EXPECT_NEAR(double(point->x), double(c.point->x), 1e-15);
    EXPECT_NEAR(double(point->y), double(c.point->y), 1e-15);
    EXPECT_NEAR(double(point->r), double(c.point->r), 1e-15);
    EXPECT_NEAR(double(point->fi), double(c.point->fi), 1e-15);
  }
}

TEST(MapPoint, InsideTheSectorAndRing) {
  auto grid = std::make_unique<PolarGrid>();
  grid->NFi = grid->NR = 2;
  grid->RInt = 1;
  grid->RExt = 2;
  const struct {
    const char* name;
    long double fiStart, fiEnd;
    long double fi, r;
    std::optional<long double> angle;  // in the grid, when inside
  } cases[] = {
      {"inside a quarter", 0, kPi / 2, kPi / 4, 1.5L, kPi / 4},
      {"ring ends count in", 0, kPi / 2, 0, 2, 0},
      {"inside the inner circle", 0, kPi / 2, kPi / 4, 0.5L, std::nullopt},
      {"outside the quarter", 0, kPi / 2, -kPi / 4, 1.5L, std::nullopt},
      {"sector across angle 0, a turn on", 3 * kPi / 2, 5 * kPi / 2, 0.25L, 1.5L, 2 * kPi + 0.25L},
      {"sector running backwards", kPi / 2, 0, kPi / 4, 1.5L, kPi / 4},
      {"full circle", 0, 2 * kPi, -kPi / 2, 1.5L, 3 * kPi / 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    grid->FiStart = c.fiStart;
    grid->FiEnd = c.fiEnd;
    const MapPoint point{c.r * std::cos(c.fi), c.r * std::sin(c.fi), c.r, c.fi};
    const std::optional<GridPosition> position = PositionInGrid(*grid, point);
    ASSERT_EQ(position.has_value(), c.angle.has_value());
    if (position) {
      EXPECT_NEAR(double(position->fi), double(*c.angle), 1e-15);
    }
  }
  grid->NFi = 0;  // nothing loaded yet
  EXPECT_EQ(PositionInGrid(*grid, MapPoint{1.5L, 0, 1.5L, 0}), std::nullopt);
}

TEST(MapPoint, GridValueIsLinearInAngleAndRadius) {
  auto grid = std::make_unique<PolarGrid>();
  grid->NFi = 3;
  grid->NR = 2;
  grid->FiEnd = 2;
  grid->RInt = 1;
  grid->RExt = 2;
  grid->StepFi = 1;
  grid->StepR = 1;
  grid->Values[0][0] = 0;
  grid->Values[0][1] = 2;
  grid->Values[1][0] = 4;
  grid->Values[1][1] = 10;
  grid->Values[2][0] = 6;
  grid->Values[2][1] = 6;
  const struct {
    long double fi, r;
    double value;
  } cases[] = {{0.5L, 1.5L, 4}, {1, 2, 10}, {0.25L, 1, 1}, {2, 1.5L, 6}, {1.5L, 2, 8}, {0, 1, 0}};
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(GridValueAt(*grid, {c.fi, c.r}), c.value) << double(c.fi) << " " << double(c.r);
  }
}

}  // namespace
}  // namespace orbisk
