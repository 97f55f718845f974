#include "contour/crossings.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
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
      std::uint8_t* out = byRow_[static_cast<std::size_t>(i)].data();
      for (std::int32_t j = 0; j < grid.NR; ++j) {
        const double v = row[j];
        out[j] = static_cast<std::uint8_t>((v <= below) + 2 * (above <= v) + 4 * (v != v));
      }
    }
    for (std::int32_t i = 0; i < grid.NFi; ++i) {
      for (std::int32_t j = 0; j < grid.NR; ++j) {
        byColumn_[static_cast<std::size_t>(j)][static_cast<std::size_t>(i)] =
            byRow_[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
      }
    }
  }

  // Calls f(j) for every crossed radial edge (i, j)-(i, j+1), by increasing j.
  template <typename F>
  void ForEachRadial(std::int32_t i, std::int32_t nR, F f) const {
    ForEachCrossed(byRow_[static_cast<std::size_t>(i)].data(), nR - 1, f);
  }
  // Calls f(i) for every crossed arc edge (i, j)-(i+1, j), by increasing i.
  template <typename F>
  void ForEachArc(std::int32_t j, std::int32_t nFi, F f) const {
    ForEachCrossed(byColumn_[static_cast<std::size_t>(j)].data(), nFi - 1, f);
  }
  bool Crossed(std::int32_t i0, std::int32_t i1, std::int32_t j) const {
    const auto& column = byColumn_[static_cast<std::size_t>(j)];
    return (column[static_cast<std::size_t>(i0)] | column[static_cast<std::size_t>(i1)]) == 3;
  }

 private:
  // Calls f(k) for every k < n where sides k and k+1 OR to 3, skipping eight
  // uncrossed edges at a time.
  template <typename F>
  static void ForEachCrossed(const std::uint8_t* sides, std::int32_t n, F f) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    std::int32_t k = 0;
    for (; k + 9 <= n + 1 && k + 9 <= kGridRoom; k += 8) {
      std::uint64_t a, b;
      std::memcpy(&a, sides + k, 8);
      std::memcpy(&b, sides + k + 1, 8);
      const std::uint64_t y = (a | b) ^ (3 * kOnes);  // a zero byte marks a crossing
      if (((y - kOnes) & ~y & (0x80 * kOnes)) == 0) continue;
      for (std::int32_t m = k; m < k + 8; ++m) {
        if ((sides[m] | sides[m + 1]) == 3) f(m);
      }
    }
    for (; k < n; ++k) {
      if ((sides[k] | sides[k + 1]) == 3) f(k);
    }
  }

  std::array<std::array<std::uint8_t, kGridRoom>, kGridRoom> byRow_;     // [i][j]
  std::array<std::array<std::uint8_t, kGridRoom>, kGridRoom> byColumn_;  // [j][i]
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
    sides->ForEachRadial(i, grid.NR, [&](std::int32_t j) {
      fi.push_back(Angle(grid, i));
      r.push_back(Interpolate(level, v[i][j], v[i][j + 1], grid.StepR, Radius(grid, j)));
    });
  }
  stage = 1;
  const std::int32_t last = grid.NFi - 1;
  for (std::int32_t j = 0; j < grid.NR; ++j) {
    const long double radius = Radius(grid, j);
    sides->ForEachArc(j, grid.NFi, [&](std::int32_t i) {
      fi.push_back(Interpolate(level, v[i][j], v[i + 1][j], grid.StepFi, Angle(grid, i)));
      r.push_back(radius);
    });
    if (sides->Crossed(last, 0, j)) {
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
