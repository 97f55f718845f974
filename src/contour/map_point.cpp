#include "contour/map_point.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orbisk {

namespace {

constexpr long double kTurn = 2 * std::numbers::pi_v<long double>;

// The node index below a position u (in steps from node 0) and the fraction
// beyond it, for nodes 0..count-1; the last cell takes u = count - 1.
std::pair<int, long double> CellOf(long double u, std::int32_t count) {
  const int i = std::clamp(static_cast<int>(std::floor(u)), 0, std::max(count - 2, 0));
  return {i, std::clamp(u - i, 0.0L, 1.0L)};
}

long double StepsFrom(long double value, long double start, long double step) {
  return step == 0 ? 0 : (value - start) / step;
}

}  // namespace

std::optional<MapPoint> PointAtPixel(const MapPlacement& placement, long double px, long double py) {
  if (px >= placement.mapWidth || placement.sx == 0 || placement.sy == 0) return std::nullopt;
  MapPoint p;
  p.x = (px - placement.cx) / placement.sx;
  p.y = (placement.cy - py) / placement.sy;
  p.r = std::hypot(p.x, p.y);
  p.fi = std::atan2(p.y, p.x);
  return p;
}

std::optional<GridPosition> PositionInGrid(const PolarGrid& grid, const MapPoint& point) {
  if (grid.NFi < kMinPoints || grid.NR < kMinPoints) return std::nullopt;  // no grid yet
  const long double low = std::min(grid.RInt, grid.RExt);
  const long double high = std::max(grid.RInt, grid.RExt);
  if (!(low <= point.r && point.r <= high)) return std::nullopt;
  const long double span = grid.FiEnd - grid.FiStart;
  // How far the point lies from FiStart in the sector's direction, in 0..2 pi.
  long double along = std::fmod(span >= 0 ? point.fi - grid.FiStart : grid.FiStart - point.fi, kTurn);
  if (along < 0) along += kTurn;
  if (!(along <= std::fabs(span))) return std::nullopt;
  return GridPosition{span >= 0 ? grid.FiStart + along : grid.FiStart - along, point.r};
}

double GridValueAt(const PolarGrid& grid, const GridPosition& position) {
  const auto [i, t] = CellOf(StepsFrom(position.fi, grid.FiStart, grid.StepFi), grid.NFi);
  const auto [j, s] = CellOf(StepsFrom(position.r, grid.RInt, grid.StepR), grid.NR);
  const int i1 = std::min(i + 1, grid.NFi - 1);
  const int j1 = std::min(j + 1, grid.NR - 1);
  auto v = [&](int a, int b) -> long double { return grid.Values[std::size_t(a)][std::size_t(b)]; };
  const long double value = (1 - t) * ((1 - s) * v(i, j) + s * v(i, j1)) + t * ((1 - s) * v(i1, j) + s * v(i1, j1));
  return static_cast<double>(value);
}

}  // namespace orbisk
