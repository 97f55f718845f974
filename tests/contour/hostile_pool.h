#pragma once
// Crossing pools and grids drawn the way an attacker would, for comparing the
// fast chaining with the literal walk: domains whose parameters have nothing
// to do with the points, radii across the whole double range and beyond it,
// NaN and infinite values, points repeated, crowded into one cell, on one
// circle or ray, in thin sectors and on circles wound many times.

#include <cstdint>
#include <functional>
#include <string>

#include "contour/crossings.h"
#include "polar_data/polar_grid.h"

namespace orbisk::testing {

// Draws numbers from a source of 64-bit words (a seeded generator in a test,
// the input bytes in a fuzzer).
class HostileDraw {
 public:
  explicit HostileDraw(std::function<std::uint64_t()> source) : source_(std::move(source)) {}
  std::uint64_t Bits() { return source_(); }
  // 0..n-1.
  std::int32_t Pick(std::int32_t n) { return static_cast<std::int32_t>(Bits() % static_cast<std::uint64_t>(n)); }
  double Unit() { return static_cast<double>(Bits() >> 11) * 0x1p-53; }
  long double Radius();
  long double Angle();

 private:
  std::function<std::uint64_t()> source_;
};

// Circles, steps and counts of a grid, each drawn on its own.
void DrawDomain(HostileDraw& draw, PolarGrid& grid);
// A pool of up to `most` entries around a few centres.
void DrawPool(HostileDraw& draw, CrossingPool& pool, std::int32_t most);
// A small grid (up to 12 x 12) with hostile values and a level to gather.
long double DrawGrid(HostileDraw& draw, PolarGrid& grid);

// Chains copies of the pool by ChainCrossings and by the literal walk; empty
// when both store the same polylines bit for bit and fail with the same
// message (or not at all), else what differs.
std::string ChainingDifference(const CrossingPool& pool, const PolarGrid& grid);

}  // namespace orbisk::testing
