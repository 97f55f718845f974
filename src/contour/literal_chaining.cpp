#include "contour/literal_chaining.h"

#include <memory>
#include <vector>

#include "contour/chain_geometry.h"
#include "contour/chaining.h"
#include "platform/checked_math.h"

namespace orbisk {

namespace {

PlanePoint LastPosition(const TListExt& fi, const TListExt& r) {
  return PositionOf(fi.Get(fi.Count() - 1), r.Get(r.Count() - 1));
}

void Store(std::unique_ptr<TListExt>& fi, std::unique_ptr<TListExt>& r, std::vector<ChainedPolyline>& lines) {
  lines.push_back({std::move(fi), std::move(r)});
}

}  // namespace

void ChainCrossingsLiterally(CrossingPool& pool, const PolarGrid& grid, ContourStore& store) {
  std::vector<ChainedPolyline> lines;
  try {
    ChainCrossingsLiterally(pool, grid, lines);
  } catch (...) {
    StorePolylines(lines, store);
    throw;
  }
  StorePolylines(lines, store);
}

void ChainCrossingsLiterally(CrossingPool& pool, const PolarGrid& grid, std::vector<ChainedPolyline>& store) {
  using namespace checked;
  while (pool.Fi.Count() > 0) {
    auto lineFi = std::make_unique<TListExt>();
    auto lineR = std::make_unique<TListExt>();
    long double best = grid.RExt;
    std::int32_t index = 0;
    for (std::int32_t p = 0; p < pool.R.Count(); ++p) {
      const long double r = pool.R.Get(p);
      if (Sub(grid.RExt, r) < best) best = Sub(grid.RExt, r), index = p;
      if (Sub(r, grid.RInt) < best) best = Sub(r, grid.RInt), index = p;
    }
    lineFi->Add(pool.Fi.Get(index));
    lineR->Add(pool.R.Get(index));
    pool.Fi.Delete(index);
    pool.R.Delete(index);
    const long double link = LinkDistance(grid);
    bool stored = false;
    while (pool.Fi.Count() > 0) {
      const PlanePoint last = LastPosition(*lineFi, *lineR);
      std::int32_t nearest = 0;
      long double nearestDistance = 0;
      for (std::int32_t p = 0; p < pool.Fi.Count(); ++p) {
        const long double d = DistanceOf(last, PositionOf(pool.Fi.Get(p), pool.R.Get(p)));
        Check(d, 0, 0);  // an overflowing distance fails the level
        if (p == 0 || d < nearestDistance) nearest = p, nearestDistance = d;
      }
      if (nearestDistance > link) {
        Store(lineFi, lineR, store);
        stored = true;
        break;
      }
      lineFi->Add(pool.Fi.Get(nearest));
      lineR->Add(pool.R.Get(nearest));
      pool.Fi.Delete(nearest);
      pool.R.Delete(nearest);
    }
    if (stored) continue;
    const PlanePoint first = PositionOf(lineFi->Get(0), lineR->Get(0));
    if (lineFi->Count() >= 2 && DistanceOf(first, LastPosition(*lineFi, *lineR)) <= link) {
      lineFi->Add(lineFi->Get(0));
      lineR->Add(lineR->Get(0));
    }
    Store(lineFi, lineR, store);
  }
  pool.Fi.Clear();
  pool.R.Clear();
}

}  // namespace orbisk
