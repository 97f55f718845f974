#pragma once
// The crossings of one contour level with the edges of the polar grid.

#include <cstdint>

#include "polar_data/polar_grid.h"
#include "store/list_ext.h"

namespace orbisk {

// The crossings of one level, entry k of both lists being crossing k.
struct CrossingPool {
  TListExt Fi;  // angles, radians
  TListExt R;   // radii
};

// True when a <= x <= b or b <= x <= a.
bool Between(long double x, long double a, long double b);

// Appends the crossings of `level` to pool in the fixed order: radial edges row
// by row (inner to outer), then per radius column the arc edges by increasing
// angle followed by the closing edge from row NFi-1 to row 0. `stage` is set to
// 0 while radial edges are gathered and to 1 afterwards. A crossing whose
// interpolation fails (or D = 0) lies on the edge's first node.
void GatherCrossings(const PolarGrid& grid, long double level, CrossingPool& pool, std::int32_t& stage);

}  // namespace orbisk
