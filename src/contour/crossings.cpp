#include "contour/crossings.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "contour/node_sides.h"
#include "platform/checked_math.h"
#include "platform/error.h"

namespace orbisk {

bool Between(long double x, long double a, long double b) { return (a <= x && x <= b) || (b <= x && x <= a); }

namespace {

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

void AppendCrossings(const PolarGrid& grid, long double level, const NodeSides& sides, CrossingBuffer& out,
                     std::int32_t& stage);

}  // namespace

void CrossingBuffer::Reset(std::int32_t n) {
  assert(n >= 0);
  count_ = 0;
  if (n <= capacity_) return;
  // Uninitialised: every slot is written before it is read.
  fi_ = std::make_unique_for_overwrite<long double[]>(static_cast<std::size_t>(n));
  r_ = std::make_unique_for_overwrite<long double[]>(static_cast<std::size_t>(n));
  capacity_ = n;
}

void CrossingBuffer::Append(long double fi, long double r) {
  assert(count_ < capacity_);
  fi_[static_cast<std::size_t>(count_)] = fi;
  r_[static_cast<std::size_t>(count_++)] = r;
}

// Left uninitialised: each level writes the sides and arcs it reads, and
// zeroing 600 KiB would touch every page before it is needed.
GatherScratch::GatherScratch() : sides_(std::make_unique_for_overwrite<NodeSides>()) {}
GatherScratch::~GatherScratch() = default;

void GatherCrossings(const PolarGrid& grid, long double level, CrossingBuffer& out, GatherScratch& scratch,
                     std::int32_t& stage) {
  stage = 0;
  out.Reset(0);
  if (grid.NFi > kGridRoom || grid.NR > kGridRoom) {
    throw InputError(FormatMessage("Grid size out of range (%d)", std::max(grid.NFi, grid.NR)));
  }
  if (grid.NFi <= 0 || grid.NR <= 0) {
    stage = 1;
    return;
  }
  NodeSides& sides = scratch.Sides();
  sides.Classify(grid, level);
  // Counted first, so that the buffer gets room for exactly the count.
  std::int32_t count = 0;
  for (std::int32_t i = 0; i < grid.NFi; ++i) sides.ForEachRadial(i, grid.NR, [&](std::int32_t) { ++count; });
  out.Reset(count + sides.ArcCount());
  AppendCrossings(grid, level, sides, out, stage);
}

void GatherCrossings(const PolarGrid& grid, long double level, CrossingPool& pool, std::int32_t& stage) {
  GatherScratch scratch;
  CrossingBuffer buffer;
  GatherCrossings(grid, level, buffer, scratch, stage);
  const std::int32_t count = buffer.Count();
  pool.Fi.SetCapacity(pool.Fi.Count() + count);
  pool.R.SetCapacity(pool.R.Count() + count);
  for (std::int32_t k = 0; k < count; ++k) {
    pool.Fi.Add(buffer.Fi()[k]);
    pool.R.Add(buffer.R()[k]);
  }
}

namespace {

void AppendCrossings(const PolarGrid& grid, long double level, const NodeSides& sides, CrossingBuffer& out,
                     std::int32_t& stage) {
  const std::int32_t last = grid.NFi - 1;

  const NodeCoordinates angle(grid.FiStart, grid.StepFi, grid.NFi);
  const NodeCoordinates radius(grid.RInt, grid.StepR, grid.NR);
  const auto& v = grid.Values;
  for (std::int32_t i = 0; i < grid.NFi; ++i) {
    const double* row = v[static_cast<std::size_t>(i)].data();
    sides.ForEachRadial(i, grid.NR, [&](std::int32_t j) {
      out.Append(angle[i], Interpolate(level, row[j], row[j + 1], grid.StepR, radius[j]));
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
      out.Append(
          Interpolate(level, from[static_cast<std::size_t>(j)], to[static_cast<std::size_t>(j)], grid.StepFi, angle[i]),
          r);
    }
  }
}

}  // namespace

}  // namespace orbisk
