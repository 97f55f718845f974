#include "contour/crossings.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "platform/checked_math.h"
#include "platform/error.h"

namespace orbisk {

bool Between(long double x, long double a, long double b) { return (a <= x && x <= b) || (b <= x && x <= a); }

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
    CollectArcs(grid.NFi, grid.NR);
  }

  // Calls f(j) for every crossed radial edge (i, j)-(i, j+1), by increasing j.
  template <typename F>
  void ForEachRadial(std::int32_t i, std::int32_t nR, F f) const {
    ForEachCrossed(byRow_[static_cast<std::size_t>(i)].data(), nR - 1, f);
  }
  // The crossed arc edges (i, j)-(i+1, j) and closing edges (NFi-1, j)-(0, j),
  // the latter as i = NFi-1, by increasing j, then i: each packed as j << 16 | i.
  const std::uint32_t* Arcs() const { return arcs_.data(); }
  std::int32_t ArcCount() const { return arcCount_; }

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

  // Calls f(k) for every k < n where sides a[k] and b[k] OR to 3, skipping
  // eight uncrossed edges at a time.
  template <typename F>
  static void ForEachCrossedPair(const std::uint8_t* a, const std::uint8_t* b, std::int32_t n, F f) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    std::int32_t k = 0;
    for (; k + 8 <= n; k += 8) {
      std::uint64_t x, y;
      std::memcpy(&x, a + k, 8);
      std::memcpy(&y, b + k, 8);
      const std::uint64_t z = (x | y) ^ (3 * kOnes);  // a zero byte marks a crossing
      if (((z - kOnes) & ~z & (0x80 * kOnes)) == 0) continue;
      for (std::int32_t m = k; m < k + 8; ++m) {
        if ((a[m] | b[m]) == 3) f(m);
      }
    }
    for (; k < n; ++k) {
      if ((a[k] | b[k]) == 3) f(k);
    }
  }

  // Finds the arc edges row pair by row pair, then orders them by column with
  // a stable counting sort.
  void CollectArcs(std::int32_t nFi, std::int32_t nR) {
    std::array<std::int32_t, kGridRoom + 1> start{};
    std::int32_t n = 0;
    for (std::int32_t i = 0; i < nFi; ++i) {
      const std::int32_t next = i + 1 < nFi ? i + 1 : 0;
      ForEachCrossedPair(byRow_[static_cast<std::size_t>(i)].data(), byRow_[static_cast<std::size_t>(next)].data(), nR,
                         [&](std::int32_t j) {
                           found_[static_cast<std::size_t>(n++)] =
                               static_cast<std::uint32_t>(j) << 16 | static_cast<std::uint32_t>(i);
                           ++start[static_cast<std::size_t>(j) + 1];
                         });
    }
    for (std::size_t j = 0; j < kGridRoom; ++j) start[j + 1] += start[j];
    for (std::int32_t k = 0; k < n; ++k) {
      const std::uint32_t arc = found_[static_cast<std::size_t>(k)];
      arcs_[static_cast<std::size_t>(start[arc >> 16]++)] = arc;
    }
    arcCount_ = n;
  }

  std::array<std::array<std::uint8_t, kGridRoom>, kGridRoom> byRow_;  // [i][j]
  std::array<std::uint32_t, kGridRoom * kGridRoom> found_;            // arcs by row pair
  std::array<std::uint32_t, kGridRoom * kGridRoom> arcs_;             // arcs by column
  std::int32_t arcCount_ = 0;
};

// The position of a crossing on the edge from node value a at position p0 to
// node value b, one `step` further: p0 when D = b - a is 0 or the arithmetic
// fails (or gives no finite position).
long double Interpolate(long double level, double a, double b, long double step, long double p0) {
  using namespace checked;
  const long double d = static_cast<long double>(b) - static_cast<long double>(a);
  if (d == 0) return p0;
  // With every step finite nothing can fault, and the checked steps would give
  // the very same values; a step that is not finite leaves p infinite or NaN.
  const long double p = step / d * (level - a) + p0;
  if (std::isfinite(p)) return p;
  try {
    long double q = Add(Mul(Div(step, d), Sub(level, a)), p0);
    return std::isfinite(q) ? q : p0;
  } catch (const MathError&) {
    return p0;
  }
}

// The node angles (rows) or radii (columns) first + k * step, k < n, computed
// once; one whose checked computation fails is recomputed, and fails, where
// it is used.
class NodeCoordinates {
 public:
  NodeCoordinates(long double first, long double step, std::int32_t n) : first_(first), step_(step) {
    for (std::int32_t k = 0; k < n; ++k) {
      const long double product = k * step, value = product + first;
      const bool fails = !std::isfinite(product) || !std::isfinite(value);
      values_[static_cast<std::size_t>(k)] = value;
      fails_[static_cast<std::size_t>(k)] = fails;
    }
  }
  long double operator[](std::int32_t k) const {
    if (fails_[static_cast<std::size_t>(k)]) return checked::Add(checked::Mul(k, step_), first_);
    return values_[static_cast<std::size_t>(k)];
  }

 private:
  long double first_, step_;
  std::array<long double, kGridRoom> values_;
  std::array<bool, kGridRoom> fails_;
};

void AppendCrossings(const PolarGrid& grid, long double level, const NodeSides& sides, CrossingPool& pool,
                     std::int32_t& stage);

}  // namespace

void GatherCrossings(const PolarGrid& grid, long double level, CrossingPool& pool, std::int32_t& stage) {
  stage = 0;
  if (grid.NFi > kGridRoom || grid.NR > kGridRoom) {
    throw InputError(FormatMessage("Grid size out of range (%d)", std::max(grid.NFi, grid.NR)));
  }
  if (grid.NFi <= 0 || grid.NR <= 0) {
    stage = 1;
    return;
  }
  auto sides = std::make_unique<NodeSides>(grid, level);
  // Counted first, so that the pool lists get room for exactly their count.
  std::int32_t count = 0;
  for (std::int32_t i = 0; i < grid.NFi; ++i) sides->ForEachRadial(i, grid.NR, [&](std::int32_t) { ++count; });
  count += sides->ArcCount();
  const std::int32_t before = pool.Fi.Count(), room = pool.Fi.Capacity();
  pool.Fi.SetCapacity(before + count);
  pool.R.SetCapacity(before + count);
  try {
    AppendCrossings(grid, level, *sides, pool, stage);
  } catch (...) {
    // A failing node coordinate leaves the pool as it was.
    pool.Fi.SetCount(before), pool.R.SetCount(before);
    pool.Fi.SetCapacity(room), pool.R.SetCapacity(room);
    throw;
  }
}

namespace {

void AppendCrossings(const PolarGrid& grid, long double level, const NodeSides& sides, CrossingPool& pool,
                     std::int32_t& stage) {
  const std::int32_t last = grid.NFi - 1;

  const NodeCoordinates angle(grid.FiStart, grid.StepFi, grid.NFi);
  const NodeCoordinates radius(grid.RInt, grid.StepR, grid.NR);
  const auto& v = grid.Values;
  for (std::int32_t i = 0; i < grid.NFi; ++i) {
    const double* row = v[static_cast<std::size_t>(i)].data();
    sides.ForEachRadial(i, grid.NR, [&](std::int32_t j) {
      pool.Fi.Add(angle[i]);
      pool.R.Add(Interpolate(level, row[j], row[j + 1], grid.StepR, radius[j]));
    });
  }
  stage = 1;
  const std::uint32_t* arcs = sides.Arcs();
  const std::int32_t arcCount = sides.ArcCount();
  std::int32_t k = 0;
  for (std::int32_t j = 0; j < grid.NR; ++j) {
    const long double r = radius[j];  // fails here even without a crossing
    for (; k < arcCount && static_cast<std::int32_t>(arcs[k] >> 16) == j; ++k) {
      const auto i = static_cast<std::int32_t>(arcs[k] & 0xFFFF);
      const std::int32_t next = i == last ? 0 : i + 1;
      const auto& from = v[static_cast<std::size_t>(i)];
      const auto& to = v[static_cast<std::size_t>(next)];
      pool.Fi.Add(Interpolate(level, from[static_cast<std::size_t>(j)], to[static_cast<std::size_t>(j)], grid.StepFi,
                              angle[i]));
      pool.R.Add(r);
    }
  }
}

}  // namespace

}  // namespace orbisk
