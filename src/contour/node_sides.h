#pragma once
// The side of every grid node against one contour level, and the grid edges
// that the level crosses.

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "polar_data/polar_grid.h"

namespace orbisk {

// The side of every node against one level, so that each edge test is one OR
// of two bytes: bit 0 set when the value is <= level, bit 1 when >= level, bit
// 2 when it is unordered (NaN). An edge is crossed, exactly as
// Between(level, a, b) says, when the two sides OR to 3.
class NodeSides {
 public:
  // Classifies every node of the grid against level and collects the crossed
  // arc edges.
  void Classify(const PolarGrid& grid, long double level) {
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

}  // namespace orbisk
