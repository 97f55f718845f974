#pragma once
// Chaining by a scan of the whole pool for every point: quadratic. It is the
// reading of the chaining rules that the fast chaining is compared with, and
// it chains the pools that the fast chaining does not vouch for (entries or
// circles that are not finite, which no grid gives).

#include <vector>

#include "contour/chaining.h"
#include "contour/crossings.h"
#include "polar_data/polar_grid.h"
#include "store/contour_store.h"

namespace orbisk {

// Same result and failures as ChainCrossings, by the literal walk.
void ChainCrossingsLiterally(CrossingPool& pool, const PolarGrid& grid, ContourStore& store);
// The same, appending the polylines to lines.
void ChainCrossingsLiterally(CrossingPool& pool, const PolarGrid& grid, std::vector<ChainedPolyline>& lines);

}  // namespace orbisk
