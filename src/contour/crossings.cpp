#include "contour/crossings.h"

#include <cmath>
#include <limits>
#include <vector>

#include "contour/checked_math.h"
#include "platform/error.h"

namespace orbisk {

bool Between(long double x, long double a, long double b) {
  return (a <= x && x <= b) || (b <= x && x <= a);
}

namespace {

// The level as two doubles that bracket it, so that the many edge tests compare
// doubles with doubles and still give exactly Between(level, a, b).
struct LevelBracket {
  double below;  // largest double <= level
  double above;  // smallest double >= level

  explicit LevelBracket(long double level) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    below = above = static_cast<double>(level);
    if (static_cast<long double>(below) > level) below = std::nextafter(below, -kInf);
    if (static_cast<long double>(above) < level) above = std::nextafter(above, kInf);
  }

  bool Crossed(double a, double b) const {
    return (a <= below && above <= b) || (b <= below && above <= a);
  }
};

// The position of a crossing on the edge from node value a at position p0 to
// node value b, one `step` further: p0 when D = b - a is 0 or the arithmetic
// fails (or gives no finite position).
long double Interpolate(long double level, double a, double b, long double step, long double p0) {
  using namespace checked;
  const long double d = static_cast<long double>(b) - static_cast<long double>(a);
  if (d == 0) return p0;
  try {
    long double p = Add(Mul(Div(step, d), Sub(level, a)), p0);
    return std::isfinite(p) ? p : p0;
  } catch (const MathError&) {
    return p0;
  }
}

long double Angle(const PolarGrid& grid, std::int32_t i) {
  return checked::Add(checked::Mul(i, grid.StepFi), grid.FiStart);
}

long double Radius(const PolarGrid& grid, std::int32_t j) {
  return checked::Add(checked::Mul(j, grid.StepR), grid.RInt);
}

}  // namespace

void GatherCrossings(const PolarGrid& grid, long double level, CrossingPool& pool,
                     std::int32_t& stage) {
  stage = 0;
  if (grid.NFi > kGridRoom || grid.NR > kGridRoom) {
    throw InputError(FormatMessage("Grid size out of range (%d)", std::max(grid.NFi, grid.NR)));
  }
  if (grid.NFi <= 0 || grid.NR <= 0) {
    stage = 1;
    return;
  }
  const LevelBracket bracket(level);
  // Gathered into plain vectors first, then copied into the pool lists with
  // room for exactly their count.
  std::vector<long double> fi;
  std::vector<long double> r;
  const auto& v = grid.Values;
  for (std::int32_t i = 0; i < grid.NFi; ++i) {
    for (std::int32_t j = 0; j + 1 < grid.NR; ++j) {
      if (!bracket.Crossed(v[i][j + 1], v[i][j])) continue;
      fi.push_back(Angle(grid, i));
      r.push_back(Interpolate(level, v[i][j], v[i][j + 1], grid.StepR, Radius(grid, j)));
    }
  }
  stage = 1;
  const std::int32_t last = grid.NFi - 1;
  for (std::int32_t j = 0; j < grid.NR; ++j) {
    const long double radius = Radius(grid, j);
    for (std::int32_t i = 0; i < last; ++i) {
      if (!bracket.Crossed(v[i + 1][j], v[i][j])) continue;
      fi.push_back(Interpolate(level, v[i][j], v[i + 1][j], grid.StepFi, Angle(grid, i)));
      r.push_back(radius);
    }
    if (bracket.Crossed(v[0][j], v[last][j])) {
      fi.push_back(Interpolate(level, v[last][j], v[0][j], grid.StepFi, Angle(grid, last)));
      r.push_back(radius);
    }
  }
  const auto count = static_cast<std::int32_t>(fi.size());
  pool.Fi.SetCapacity(pool.Fi.Count() + count);
  pool.R.SetCapacity(pool.R.Count() + count);
  for (std::int32_t k = 0; k < count; ++k) {
    pool.Fi.Add(fi[static_cast<std::size_t>(k)]);
    pool.R.Add(r[static_cast<std::size_t>(k)]);
  }
}

}  // namespace orbisk
