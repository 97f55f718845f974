#include "contour/chaining.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "contour/chain_geometry.h"
#include "contour/checked_math.h"
#include "contour/literal_chaining.h"
#include "contour/nearest_index.h"

namespace orbisk {

long double LinkDistance(const PolarGrid& grid) {
  using namespace checked;
  const long double inner = Sub(grid.RExt, grid.StepR);
  const long double dx = Sub(Mul(std::cos(grid.StepFi), inner), grid.RExt);
  const long double dy = Mul(std::sin(grid.StepFi), inner);
  return std::sqrt(Add(Mul(dx, dx), Mul(dy, dy)));
}

namespace {

// The order in which polylines start: by the distance of the radius to the
// nearer circle, then by entry index. An entry whose distance is not below
// RExt never wins that way; the start is then the lowest present entry.
class StartOrder {
 public:
  StartOrder(const long double* radii, std::int32_t count, long double rInt, long double rExt)
      : rExt_(rExt), present_(static_cast<std::size_t>(count), 1) {
    using namespace checked;
    byKey_.reserve(static_cast<std::size_t>(count));
    for (std::size_t p = 0; p < static_cast<std::size_t>(count); ++p) {
      const long double toOuter = Sub(rExt, radii[p]);
      const long double toInner = Sub(radii[p], rInt);
      byKey_.emplace_back(toInner < toOuter ? toInner : toOuter, static_cast<std::int32_t>(p));
    }
    std::sort(byKey_.begin(), byKey_.end());
  }

  std::int32_t Next() {
    while (!present_[static_cast<std::size_t>(byKey_[keyCursor_].second)]) ++keyCursor_;
    if (byKey_[keyCursor_].first < rExt_) return byKey_[keyCursor_].second;
    while (!present_[indexCursor_]) ++indexCursor_;
    return static_cast<std::int32_t>(indexCursor_);
  }

  void Remove(std::int32_t entry) { present_[static_cast<std::size_t>(entry)] = 0; }

 private:
  long double rExt_;
  std::vector<std::pair<long double, std::int32_t>> byKey_;
  std::vector<std::uint8_t> present_;
  std::size_t keyCursor_ = 0;
  std::size_t indexCursor_ = 0;
};

bool FastChainingApplies(const std::vector<PlanePoint>& positions, const PolarGrid& grid,
                         long double link) {
  if (!std::isfinite(grid.RInt) || !std::isfinite(grid.RExt) || std::isnan(link)) return false;
  return std::all_of(positions.begin(), positions.end(), [](const PlanePoint& p) {
    return std::fabs(p.x) <= NearestIndex::kLargestCoordinate &&
           std::fabs(p.y) <= NearestIndex::kLargestCoordinate;
  });
}

// Moves a finished polyline into the store, with room for exactly its points.
void StorePolyline(const std::vector<std::int32_t>& line, bool closed, const long double* fi,
                   const long double* r, ContourStore& store) {
  auto lineFi = std::make_unique<TListExt>();
  auto lineR = std::make_unique<TListExt>();
  const auto count = static_cast<std::int32_t>(line.size()) + (closed ? 1 : 0);
  lineFi->SetCapacity(count);
  lineR->SetCapacity(count);
  for (std::int32_t entry : line) {
    lineFi->Add(fi[entry]);
    lineR->Add(r[entry]);
  }
  if (closed) {
    lineFi->Add(fi[line.front()]);
    lineR->Add(r[line.front()]);
  }
  store.LinesR.Add(std::move(lineR));
  store.LinesFi.Add(std::move(lineFi));
}

}  // namespace

void ChainCrossings(CrossingPool& pool, const PolarGrid& grid, ContourStore& store) {
  const std::int32_t count = pool.Fi.Count();
  if (count == 0) return;
  const long double* fi = pool.Fi.Data();
  const long double* r = pool.R.Data();

  // The start keys and the link distance fail, if at all, before anything is
  // stored, as the first start-point scan of the literal walk would.
  StartOrder starts(r, count, grid.RInt, grid.RExt);
  const long double link = LinkDistance(grid);
  std::vector<PlanePoint> positions(static_cast<std::size_t>(count));
  {
    // Radial crossings of one row share their angle: reuse its sine and cosine.
    long double angle = 0, sine = 0, cosine = 1;
    for (std::int32_t p = 0; p < count; ++p) {
      if (p == 0 || fi[p] != angle || std::signbit(fi[p]) != std::signbit(angle)) {
        angle = fi[p];
        SineAndCosine(angle, sine, cosine);
      }
      positions[static_cast<std::size_t>(p)] = {r[p] * cosine, r[p] * sine};
    }
  }
  if (!FastChainingApplies(positions, grid, link)) {
    ChainCrossingsLiterally(pool, grid, store);
    return;
  }

  NearestIndex nearest(positions, link);
  std::int32_t remaining = count;
  std::vector<std::int32_t> line;
  auto take = [&](std::int32_t entry) {
    starts.Remove(entry);
    nearest.Remove(entry);
    line.push_back(entry);
    --remaining;
  };
  while (remaining > 0) {
    line.clear();
    take(starts.Next());
    bool ended = false;
    while (remaining > 0) {
      const std::int32_t next = nearest.Nearest(positions[static_cast<std::size_t>(line.back())], link);
      if (next < 0) {
        ended = true;
        break;
      }
      take(next);
    }
    const bool closed = !ended && line.size() >= 2 &&
                        DistanceOf(positions[static_cast<std::size_t>(line.front())],
                                   positions[static_cast<std::size_t>(line.back())]) <= link;
    StorePolyline(line, closed, fi, r, store);
  }
  pool.Fi.Clear();
  pool.R.Clear();
}

}  // namespace orbisk
