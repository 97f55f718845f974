#pragma once
// Chaining by a scan of the whole pool for every point: quadratic, used only for
// pools whose coordinates the fast chaining cannot vouch for (non-finite, or so
// large that a distance could overflow).

#include "contour/crossings.h"
#include "polar_data/polar_grid.h"
#include "store/contour_store.h"

namespace orbisk {

// Same result and failures as ChainCrossings, by the literal walk.
void ChainCrossingsLiterally(CrossingPool& pool, const PolarGrid& grid, ContourStore& store);

}  // namespace orbisk
