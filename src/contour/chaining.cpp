#include "contour/chaining.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <numbers>
#include <utility>
#include <vector>

#include "contour/chain_geometry.h"
#include "contour/chain_scratch.h"
#include "contour/literal_chaining.h"
#include "contour/nearest_index.h"
#include "platform/checked_math.h"

namespace orbisk {

long double LinkDistance(const PolarGrid& grid) {
  using namespace checked;
  const long double inner = Sub(grid.RExt, grid.StepR);
  const long double dx = Sub(Mul(std::cos(grid.StepFi), inner), grid.RExt);
  const long double dy = Mul(std::sin(grid.StepFi), inner);
  return std::sqrt(Add(Mul(dx, dx), Mul(dy, dy)));
}

namespace {

// The fast chaining vouches for every pool of finite entries over a domain
// whose circles and link distance are finite (which every grid that tracing
// is given has: its bounds are read or computed as finite numbers).
bool FastChainingApplies(const PolarGrid& grid, long double link) {
  return std::isfinite(grid.RInt) && std::isfinite(grid.RExt) && std::isfinite(link);
}

// The turn of the search's frame that lays the crossings of a thin sector
// along its x axis, where its cells fit them best: the sector's middle angle
// (its crossings reach up to one step beyond its last angle); 0 for a sector
// wider than pi/4, whose box a turn would not narrow much.
double SectorTurn(const PolarGrid& grid) {
  const long double first = grid.FiStart, last = grid.FiEnd + grid.StepFi;
  if (!(std::fabs(last - first) <= std::numbers::pi_v<long double> / 4)) return 0;
  return static_cast<double>((first + last) / 2);
}

// A finished polyline, given by entries, with room for exactly its points.
// The reals are copied as bytes: they need no arithmetic, and x87 loads and
// stores of extended precision are slow.
ChainedPolyline MakePolyline(const std::vector<std::int32_t>& line, bool closed, const long double* fi,
                             const long double* r) {
  const std::size_t count = line.size() + (closed ? 1 : 0);
  std::vector<long double> angles(count), radii(count);
  for (std::size_t k = 0; k < count; ++k) {
    const auto entry = static_cast<std::size_t>(k < line.size() ? line[k] : line.front());
    std::memcpy(&angles[k], &fi[entry], sizeof(long double));
    std::memcpy(&radii[k], &r[entry], sizeof(long double));
  }
  ChainedPolyline polyline{std::make_unique<TListExt>(), std::make_unique<TListExt>()};
  polyline.fi->Assign(std::move(angles));
  polyline.r->Assign(std::move(radii));
  return polyline;
}

// The literal walk over the count crossings at fi[k], r[k].
void ChainLiterally(const long double* fi, const long double* r, std::int32_t count, const PolarGrid& grid,
                    std::vector<ChainedPolyline>& lines) {
  CrossingPool pool;
  pool.Fi.Assign(std::vector<long double>(fi, fi + count));
  pool.R.Assign(std::vector<long double>(r, r + count));
  ChainCrossingsLiterally(pool, grid, lines);
}

}  // namespace

void StorePolylines(std::vector<ChainedPolyline>& lines, ContourStore& store) {
  for (ChainedPolyline& line : lines) {
    store.LinesR.Add(std::move(line.r));
    store.LinesFi.Add(std::move(line.fi));
  }
}

void ChainCrossings(CrossingPool& pool, const PolarGrid& grid, ContourStore& store) {
  ChainScratch scratch;
  std::vector<ChainedPolyline> lines;
  try {
    ChainCrossings(pool.Fi.Data(), pool.R.Data(), pool.Fi.Count(), grid, lines, scratch);
  } catch (...) {
    StorePolylines(lines, store);
    throw;
  }
  StorePolylines(lines, store);
  pool.Fi.Clear();
  pool.R.Clear();
}

void ChainCrossings(const long double* fi, const long double* r, std::int32_t count, const PolarGrid& grid,
                    std::vector<ChainedPolyline>& lines, ChainScratch& scratch) {
  if (count == 0) return;
  // The start keys and the link distance fail, if at all, before anything is
  // stored, as the first start-point scan of the literal walk would.
  StartOrder& starts = scratch.starts;
  starts.Reset(r, count, grid.RInt, grid.RExt);
  const long double link = LinkDistance(grid);
  NearestIndex& nearest = scratch.nearest;
  if (!FastChainingApplies(grid, link) || !nearest.Reset(fi, r, count, link, SectorTurn(grid))) {
    ChainLiterally(fi, r, count, grid, lines);
    return;
  }
  // The walk goes from site to site; an entry taken from a site is its
  // lowest present one, as ties go to the lowest entry.
  std::int32_t remaining = count;
  std::vector<std::int32_t>& line = scratch.line;
  auto taken = [&](std::int32_t entry) {
    starts.Remove(entry);
    line.push_back(entry);
    --remaining;
  };
  while (remaining > 0) {
    line.clear();
    const std::int32_t start = starts.Next();
    const std::int32_t first = nearest.SiteOf(start);
    taken(nearest.TakeLowest(first));
    assert(line.back() == start);
    std::int32_t last = first;
    bool ended = false;
    while (remaining > 0) {
      const std::int32_t next = nearest.Nearest(last);
      if (next < 0) {
        ended = true;
        break;
      }
      taken(nearest.TakeLowest(next));
      last = next;
    }
    const bool closed = !ended && line.size() >= 2 && nearest.Within(first, last);
    lines.push_back(MakePolyline(line, closed, fi, r));
  }
}

}  // namespace orbisk
