#include "contour/crossings.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "contour/checked_math.h"
#include "platform/error.h"

namespace orbisk {

bool Between(long double x, long double a, long double b) {
  return (a <= x && x <= b) || (b <= x && x <= a);
}

namespace {

// The side of every node against one level, so that each edge test is one OR
// of two bytes: bit 0 set when the value is <= level, bit 1 when >= level, bit
// 2 when it is unordered (NaN). An edge is crossed, exactly as
// Between(level, a, b) says, when the two sides OR to 3.
class NodeSides {
 public:
  NodeSides(const PolarGrid& grid, long double level) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    // The doubles that bracket the level: v <= level iff v <= below, and
    // level <= v iff above <= v.
    double below = static_cast<double>(level), above = below;
    if (static_cast<long double>(below) > level) below = std::nextafter(below, -kInf);
    if (static_cast<long double>(above) < level) above = std::nextafter(above, kInf);
    for (std::int32_t i = 0; i < grid.NFi; ++i) {
      const double* row = grid.Values[static_cast<std::size_t>(i)].data();
      std::uint8_t* out = sides_[static_cast<std::size_t>(i)].data();
      for (std::int32_t j = 0; j < grid.NR; ++j) {
        const double v = row[j];
        out[j] = static_cast<std::uint8_t>((v <= below) + 2 * (above <= v) + 4 * (v != v));
      }
    }
  }

  bool Crossed(std::int32_t i0, std::int32_t j0, std::int32_t i1, std::int32_t j1) const {
    return (sides_[static_cast<std::size_t>(i0)][static_cast<std::size_t>(j0)] |
            sides_[static_cast<std::size_t>(i1)][static_cast<std::size_t>(j1)]) == 3;
  }

 private:
  std::array<std::array<std::uint8_t, kGridRoom>, kGridRoom> sides_;
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
  auto sides = std::make_unique<NodeSides>(grid, level);
  // Gathered into plain vectors first, then copied into the pool lists with
  // room for exactly their count.
  std::vector<long double> fi;
  std::vector<long double> r;
  const auto& v = grid.Values;
  for (std::int32_t i = 0; i < grid.NFi; ++i) {
    for (std::int32_t j = 0; j + 1 < grid.NR; ++j) {
      if (!sides->Crossed(i, j, i, j + 1)) continue;
      fi.push_back(Angle(grid, i));
      r.push_back(Interpolate(level, v[i][j], v[i][j + 1], grid.StepR, Radius(grid, j)));
    }
  }
  stage = 1;
  const std::int32_t last = grid.NFi - 1;
  for (std::int32_t j = 0; j < grid.NR; ++j) {
    const long double radius = Radius(grid, j);
    for (std::int32_t i = 0; i < last; ++i) {
      if (!sides->Crossed(i, j, i + 1, j)) continue;
      fi.push_back(Interpolate(level, v[i][j], v[i + 1][j], grid.StepFi, Angle(grid, i)));
      r.push_back(radius);
    }
    if (sides->Crossed(last, j, 0, j)) {
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
