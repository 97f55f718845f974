#include "contour/nearest_index.h"

#include <math.h>

#include <algorithm>
#include <cmath>

namespace orbisk {

namespace {

template <typename T>
auto& At(std::vector<T>& v, std::int64_t k) {
  return v[static_cast<std::size_t>(k)];
}
template <typename T>
const auto& At(const std::vector<T>& v, std::int64_t k) {
  return v[static_cast<std::size_t>(k)];
}

// A squared bound that keeps every point whose distance rounds to <= d.
double Squared(double d) { return d * d * (1 + 0x1p-40); }

// Whether the index can vouch for the entry at angle fi and radius r: the
// angle must round to a finite double, whose sine and cosine are numbers.
bool Acceptable(long double fi, long double r) {
  if (!(std::fabs(fi) <= NearestIndex::kLargestAngle) || !(std::fabs(r) <= NearestIndex::kLargestCoordinate)) {
    return false;
  }
  return r == 0 || std::fabs(r) >= NearestIndex::kSmallestRadius;
}

// The most entries in a cell for which the nine cells around a query are
// scanned in full.
constexpr std::int32_t kMostInCell = 16;

}  // namespace

NearestIndex::Point NearestIndex::PositionOf(std::int32_t slot) const {
  return {At(slotPosition_, slot).x, At(slotY_, slot)};
}

bool NearestIndex::SamePoint(std::int32_t slotA, std::int32_t slotB) const {
  const std::int32_t a = EntryOf(slotA), b = EntryOf(slotB);
  if (r_[a] == 0 || r_[b] == 0) return r_[a] == r_[b];
  return fi_[a] == fi_[b] && r_[a] == r_[b];
}

const PlanePoint& NearestIndex::Exact(std::int32_t slot) {
  if (!At(known_, slot)) {
    const std::int32_t entry = EntryOf(slot);
    At(exact_, slot) = orbisk::PositionOf(fi_[entry], r_[entry]);
    At(known_, slot) = 1;
  }
  return At(exact_, slot);
}

std::int32_t NearestIndex::ColumnOf(double x) const {
  return static_cast<std::int32_t>(std::clamp((x - x0_) * inverseCell_, 0.0, columns_ - 1.0));
}

std::int32_t NearestIndex::RowOf(double y) const {
  return static_cast<std::int32_t>(std::clamp((y - y0_) * inverseCell_, 0.0, rows_ - 1.0));
}

bool NearestIndex::Reset(const long double* fi, const long double* r, std::int32_t count, long double limit) {
  fi_ = fi, r_ = r, limit_ = limit;
  const auto size = static_cast<std::size_t>(count);
  known_.assign(size, 0);
  exact_.resize(size);
  position_.resize(size);
  if (count == 0) return true;

  // Approximate positions, scaled by a power of two so that the largest radius
  // is about 1 and no squared distance overflows or underflows to matter: the
  // double sine and cosine of the angle rounded to double are within
  // |fi| 2^-53 + 2^-52 of the exact ones, and the products add a few more
  // roundings, all covered by slack_.
  long double largestFi = 0, largestR = 0;
  for (std::int32_t e = 0; e < count; ++e) {
    if (!Acceptable(fi[e], r[e])) return false;
    largestFi = std::max(largestFi, std::fabs(fi[e]));
    largestR = std::max(largestR, std::fabs(r[e]));
  }
  scale_ = largestR > 0 ? std::ldexp(1.0L, -std::ilogb(largestR)) : 1.0L;
  double xMin = INFINITY, xMax = -INFINITY, yMin = INFINITY, yMax = -INFINITY;
  {
    double angle = 0, sine = 0, cosine = 1;
    for (std::int32_t e = 0; e < count; ++e) {
      const auto a = static_cast<double>(fi[e]);
      if (e == 0 || a != angle) angle = a, ::sincos(a, &sine, &cosine);
      const auto radius = static_cast<double>(r[e] * scale_);
      const Point p{radius * cosine, radius * sine};
      At(position_, e) = p;
      xMin = std::min(xMin, p.x), xMax = std::max(xMax, p.x);
      yMin = std::min(yMin, p.y), yMax = std::max(yMax, p.y);
    }
  }
  slack_ = 2 * (static_cast<double>(largestFi) * 0x1p-52 + 0x1p-48) + 0x1p-1060;
  scaledLimit_ = static_cast<double>(limit * scale_);

  // Cells holding about one entry each on average over the bounding box, but
  // never many more cells than entries (a thin strip gets one row).
  x0_ = xMin, y0_ = yMin;
  const double width = xMax - xMin, height = yMax - yMin;
  const double extent = std::max(width, height);
  const double maxCells = 2.0 * count + 16;
  const double spacing = std::sqrt(width * height / count);
  double cell = spacing;
  if (!((width / cell + 1) * (height / cell + 1) <= maxCells)) cell = spacing + extent / maxCells;
  if (!(cell > 0) || !std::isfinite(cell)) cell = 1;  // every position the same, or a huge extent
  cell = std::max(cell, 0x1p-1000);                   // points a subnormal apart: keep 1 / cell finite
  cell_ = cell;
  inverseCell_ = 1 / cell;
  columns_ = static_cast<std::int32_t>(std::min(width / cell, maxCells)) + 1;
  rows_ = static_cast<std::int32_t>(std::min(height / cell, maxCells)) + 1;
  // Cell and row bounds computed as x0 + k * cell differ from where ColumnOf
  // and RowOf change by a few roundings of numbers up to |x0| + extent.
  fuzz_ = cell * 0x1p-30 + (std::max(std::fabs(x0_), std::fabs(y0_)) + extent) * 0x1p-48;
  // Row bands widened by the fuzz; the outer rows also hold whatever rounding
  // put beyond the grid, and a row past either end lies infinitely far.
  rowBand_.resize(static_cast<std::size_t>(rows_) + 2);
  for (std::int32_t row = 0; row < rows_; ++row) {
    At(rowBand_, row + 1) = {y0_ + row * cell_ - fuzz_, y0_ + (row + 1) * cell_ + fuzz_};
  }
  At(rowBand_, 1).low = -INFINITY;
  At(rowBand_, rows_).high = INFINITY;
  rowBand_.front() = {-INFINITY, -INFINITY};
  rowBand_.back() = {INFINITY, INFINITY};

  // Entries into cells by a counting sort, then each cell's entries by x.
  const std::int64_t cells = std::int64_t{columns_} * rows_;
  cellStart_.assign(static_cast<std::size_t>(cells) + 1, 0);
  slotOf_.resize(size);
  for (std::int32_t e = 0; e < count; ++e) {
    const Point& p = At(position_, e);
    const std::int32_t c = RowOf(p.y) * columns_ + ColumnOf(p.x);
    At(slotOf_, e) = c;  // the cell for now
    ++At(cellStart_, c + 1);
  }
  for (std::int64_t c = 0; c < cells; ++c) At(cellStart_, c + 1) += At(cellStart_, c);
  slotEntry_.resize(size);
  for (std::int32_t e = 0; e < count; ++e) At(slotEntry_, At(cellStart_, At(slotOf_, e))++) = e;
  for (std::int64_t c = cells; c > 0; --c) At(cellStart_, c) = At(cellStart_, c - 1);  // undo the advance
  cellStart_[0] = 0;
  auto byX = [&](std::int32_t a, std::int32_t b) { return At(position_, a).x < At(position_, b).x; };
  crowded_ = false;
  for (std::int64_t c = 0; c < cells; ++c) {
    const auto first = slotEntry_.begin() + At(cellStart_, c), last = slotEntry_.begin() + At(cellStart_, c + 1);
    if (last - first > kMostInCell) {
      crowded_ = true;
      std::sort(first, last, byX);
    } else {  // most cells hold a few entries
      for (auto it = first + (first != last); it < last; ++it) {
        for (auto at = it; at != first && byX(*at, *(at - 1)); --at) std::iter_swap(at, at - 1);
      }
    }
  }
  slotPosition_.resize(size);
  slotY_.resize(size);
  for (std::int32_t s = 0; s < count; ++s) {
    const std::int32_t e = At(slotEntry_, s);
    At(slotPosition_, s) = At(position_, e);
    At(slotY_, s) = At(position_, e).y;
    At(slotOf_, e) = s;
  }
  return true;
}

std::int32_t NearestIndex::Nearest(std::int32_t from) {
  const Point q = PositionOf(from);
  // Only entries whose approximate distance is within the reach can win: at
  // first those that may lie within the limit, then those that may tie the
  // nearest.
  double reach = scaledLimit_ + Error(scaledLimit_);
  if (!crowded_) {
    // The nine cells around, then the twenty-five.
    for (std::int32_t span = 1; span <= 2; ++span) {
      const std::int32_t settled = SettleAround(from, q, span, reach);
      if (settled != kUnsettled) return settled;
    }
  }
  return SearchRows(from, q, reach);
}

std::int32_t NearestIndex::SettleAround(std::int32_t from, const Point& q, std::int32_t span, double& reach) {
  // Most often the nearest present entry lies in the query's cell or the
  // cells around it, alone within the reach of its distance, and nearer than
  // any entry outside: a pass over those cells without a branch per entry
  // settles it.
  const std::int32_t column = ColumnOf(q.x), home = RowOf(q.y);
  const std::int32_t firstColumn = std::max(column - span, 0), lastColumn = std::min(column + span, columns_ - 1);
  const std::int32_t firstRow = std::max(home - span, 0), lastRow = std::min(home + span, rows_ - 1);
  const Point* slots = slotPosition_.data();
  double nearest2 = INFINITY, next2 = INFINITY;
  std::int32_t nearest = -1;
  for (std::int32_t row = firstRow; row <= lastRow; ++row) {
    const std::int32_t* cells = cellStart_.data() + std::int64_t{row} * columns_;
    for (std::int32_t slot = cells[firstColumn], end = cells[lastColumn + 1]; slot < end; ++slot) {
      const double dx = slots[slot].x - q.x, dy = slots[slot].y - q.y;
      const double d2 = dx * dx + dy * dy;  // infinite for an entry that is gone
      next2 = std::min(next2, std::max(nearest2, d2));
      nearest = d2 < nearest2 ? slot : nearest;
      nearest2 = std::min(nearest2, d2);
    }
  }
  const double d = std::sqrt(nearest2);
  if (nearest >= 0) reach = std::min(reach, d + 3 * Error(d));
  // How far the query lies from the nearest edge of those cells, where there
  // are more cells beyond.
  const double left = firstColumn > 0 ? q.x - (x0_ + firstColumn * cell_) : INFINITY;
  const double right = lastColumn + 1 < columns_ ? x0_ + (lastColumn + 1) * cell_ - q.x : INFINITY;
  const double below = firstRow > 0 ? q.y - At(rowBand_, firstRow + 1).low : INFINITY;
  const double above = lastRow + 1 < rows_ ? At(rowBand_, lastRow + 1).high - q.y : INFINITY;
  const double inside = std::min(std::min(left, right), std::min(below, above)) - 2 * fuzz_;
  if (reach * (1 + 0x1p-39) < inside) {
    const double reach2 = Squared(reach);
    if (!(nearest2 <= reach2)) return -1;  // none within the limit
    if (next2 > reach2) return WithinLimit(from, nearest, d);
  }
  return kUnsettled;
}

std::int32_t NearestIndex::WithinLimit(std::int32_t from, std::int32_t slot, double distance) {
  const double lim = scaledLimit_;
  if (distance + 2 * Error(std::max(distance, lim)) < lim) return slot;
  return DistanceOf(Exact(from), Exact(slot)) <= limit_ ? slot : -1;
}

std::int32_t NearestIndex::SearchRows(std::int32_t from, const Point& q, double reach) {
  double reach2 = Squared(reach), best2 = INFINITY;
  const std::int32_t column = ColumnOf(q.x);
  candidates_.clear();
  // Scans the present entries of `row` outward from q.x, both ways, while
  // they may lie within the reach, adding them to the candidates and
  // narrowing the reach as nearer ones turn up. False when the whole row
  // lies beyond the reach.
  auto searchRow = [&](std::int32_t row) __attribute__((always_inline)) {
    // How far the row's band lies from the query, vertically.
    const Band& band = At(rowBand_, row + 1);
    const double dy = std::max(std::max(band.low - q.y, q.y - band.high), 0.0);
    if (!(dy <= reach)) return false;
    const double dy2 = dy * dy;
    // Only x within `half` of q.x can be within the reach (the added term
    // covers the rounding of the difference, which may cancel).
    auto halfWidth = [&] { return std::sqrt(std::max(reach2 - dy2, 0.0) + reach2 * 0x1p-48) * (1 + 0x1p-40) + fuzz_; };
    double half = halfWidth();
    const std::int32_t* cells = cellStart_.data() + std::int64_t{row} * columns_;
    const Point* slots = slotPosition_.data();
    std::int32_t middle = cells[column];
    if (cells[column + 1] - middle > 8) {  // a crowded cell: find q.x in it
      middle = static_cast<std::int32_t>(std::lower_bound(slots + middle, slots + cells[column + 1], q.x,
                                                          [](const Point& p, double x) { return p.x < x; }) -
                                         slots);
    }
    auto consider = [&](std::int32_t slot, double dx) {
      const double dyy = slots[slot].y - q.y;
      const double d2 = dx * dx + dyy * dyy;  // infinite for an entry that is gone
      if (!(d2 <= reach2)) return;
      candidates_.push_back({slot, d2});
      if (d2 < best2) {
        best2 = d2;
        const double d = std::sqrt(d2);
        reach = std::min(reach, d + 3 * Error(d));
        reach2 = Squared(reach);
        half = halfWidth();
      }
    };
    for (std::int32_t slot = middle, end = cells[columns_]; slot < end; ++slot) {
      const double dx = slots[slot].x - q.x;
      if (dx > half) break;
      consider(slot, dx);
    }
    for (std::int32_t slot = middle - 1, begin = cells[0]; slot >= begin; --slot) {
      const double dx = slots[slot].x - q.x;
      if (dx < -half) break;
      consider(slot, dx);
    }
    return true;
  };
  // The query's row, then the rows above and below it, nearest first.
  const std::int32_t home = RowOf(q.y);
  searchRow(home);
  bool up = true, down = true;
  for (std::int32_t k = 1; up || down; ++k) {
    up = up && searchRow(home + k);
    down = down && searchRow(home - k);
  }

  // The survivors; entries at one point count once, as the lowest of them.
  std::int32_t survivors = 0;
  Candidate only{-1, 0};
  for (const Candidate& candidate : candidates_) {
    if (!(candidate.distance2 <= reach2)) continue;
    if (survivors == 0) {
      survivors = 1, only = candidate;
    } else if (candidate.distance2 == only.distance2 &&
               At(slotPosition_, candidate.slot).x == At(slotPosition_, only.slot).x &&
               At(slotPosition_, candidate.slot).y == At(slotPosition_, only.slot).y &&
               SamePoint(candidate.slot, only.slot)) {
      if (EntryOf(candidate.slot) < EntryOf(only.slot)) only.slot = candidate.slot;
    } else {
      ++survivors;
    }
  }
  if (survivors == 0) return -1;
  if (survivors == 1) return WithinLimit(from, only.slot, std::sqrt(only.distance2));
  // Too close to call: the exact distances decide, ties to the lowest entry.
  const PlanePoint exactFrom = Exact(from);
  long double bestDistance = limit_;
  std::int32_t best = -1;
  for (const Candidate& candidate : candidates_) {
    if (!(candidate.distance2 <= reach2)) continue;
    const long double d = DistanceOf(exactFrom, Exact(candidate.slot));
    if (d < bestDistance || (d == bestDistance && (best < 0 || EntryOf(candidate.slot) < EntryOf(best)))) {
      bestDistance = d;
      best = candidate.slot;
    }
  }
  return best;
}

bool NearestIndex::Within(std::int32_t a, std::int32_t b) {
  const Point pa = PositionOf(a), pb = PositionOf(b);
  const double dx = pa.x - pb.x, dy = pa.y - pb.y;
  const double d = std::sqrt(dx * dx + dy * dy);
  if (d - 2 * Error(std::max(d, scaledLimit_)) > scaledLimit_) return false;
  return WithinLimit(a, b, d) >= 0;
}

void NearestIndex::Remove(std::int32_t slot) { At(slotPosition_, slot).y = INFINITY; }

}  // namespace orbisk
