#pragma once
// Chaining of a level's crossings into polylines by nearest neighbours.

#include <cstdint>
#include <memory>
#include <vector>

#include "contour/crossings.h"
#include "polar_data/polar_grid.h"
#include "store/contour_store.h"

namespace orbisk {

// The link distance: the diagonal of an outermost grid cell, from (RExt, 0) to
// (RExt - StepR, StepFi). Crossings farther apart than this are not linked.
long double LinkDistance(const PolarGrid& grid);

// Chains the pool into polylines appended to the store, then empties the pool.
// Each polyline starts at the crossing nearest to either circle (ties to the
// earliest entry, outer circle first) and grows by the nearest remaining
// crossing (ties to the earliest entry) while it lies within LinkDistance. Only
// the polyline under way when the pool runs out is closed, when its ends lie
// within LinkDistance.
void ChainCrossings(CrossingPool& pool, const PolarGrid& grid, ContourStore& store);

// A chained polyline: its angles and its radii.
struct ChainedPolyline {
  std::unique_ptr<TListExt> fi, r;
};

struct ChainScratch;
// The same for the count crossings at fi[k], r[k], appending the polylines to
// lines (those chained before a failure stay there), with working memory kept
// from one call to the next.
void ChainCrossings(const long double* fi, const long double* r, std::int32_t count, const PolarGrid& grid,
                    std::vector<ChainedPolyline>& lines, ChainScratch& scratch);

// Moves the polylines into the store in order, each radius list before its
// angle list; those moved before a store error stay there.
void StorePolylines(std::vector<ChainedPolyline>& lines, ContourStore& store);

}  // namespace orbisk
