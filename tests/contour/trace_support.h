#pragma once
// Grids, polylines and the literal walk that the tracing tests share.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "polar_data/polar_grid.h"
#include "store/contour_store.h"

namespace orbisk::testing {

// A grid of nFi x nR zero values over the given domain, steps derived.
std::unique_ptr<PolarGrid> MakeGrid(std::int32_t nFi, std::int32_t nR, long double fiStart, long double fiEnd,
                                    long double rInt, long double rExt);
// Sets MinValue and MaxValue from the used values.
void ScanValues(PolarGrid& grid);

struct Polyline {
  std::vector<long double> fi;
  std::vector<long double> r;
  bool operator==(const Polyline&) const = default;
};

// The store's polylines as plain values.
std::vector<Polyline> PolylinesOf(const ContourStore& store);

// Same long double bits (sign of zero included).
bool SameBits(long double a, long double b);

// Empty when both hold the same polylines bit for bit, else what differs.
std::string PolylinesDifference(const std::vector<Polyline>& fast, const std::vector<Polyline>& literal);

// Traces the grid by the literal reading of the tracing rules: levels, gathering
// in pool order with Between in extended precision, and the chaining that
// scans the whole pool for every point. Errors of a level are not modelled
// (the random grids raise none).
std::vector<Polyline> LiteralTrace(const PolarGrid& grid, std::int32_t nLevel);

}  // namespace orbisk::testing
