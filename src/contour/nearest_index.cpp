#include "contour/nearest_index.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <math.h>

namespace orbisk {

namespace {

template <typename T>
auto& At(std::vector<T>& v, std::int32_t k) { return v[static_cast<std::size_t>(k)]; }
template <typename T>
const auto& At(const std::vector<T>& v, std::int32_t k) { return v[static_cast<std::size_t>(k)]; }

// Squared distance from (x, y) to the box [x0, x1] x [y0, y1], 0 inside it.
double BoxDistance2(double x0, double x1, double y0, double y1, double x, double y) {
  const double dx = x < x0 ? x0 - x : (x > x1 ? x - x1 : 0.0);
  const double dy = y < y0 ? y0 - y : (y > y1 ? y - y1 : 0.0);
  return dx * dx + dy * dy;
}

// A squared bound that keeps every point whose distance rounds to <= d.
double Squared(double d) { return d * d * (1 + 0x1p-40); }

}  // namespace

namespace {

// Whether the index can vouch for the entry at angle fi and radius r.
bool Acceptable(long double fi, long double r) {
  if (!std::isfinite(fi) || !(std::fabs(r) <= NearestIndex::kLargestCoordinate)) return false;
  return r == 0 || std::fabs(r) >= NearestIndex::kSmallestRadius;
}

}  // namespace

bool NearestIndex::SamePoint(std::int32_t a, std::int32_t b) const {
  if (r_[a] == 0 || r_[b] == 0) return r_[a] == r_[b];
  return fi_[a] == fi_[b] && r_[a] == r_[b];
}

const PlanePoint& NearestIndex::Exact(std::int32_t entry) {
  if (!At(known_, entry)) {
    At(exact_, entry) = PositionOf(fi_[entry], r_[entry]);
    At(known_, entry) = 1;
  }
  return At(exact_, entry);
}

bool NearestIndex::Reset(const long double* fi, const long double* r, std::int32_t count,
                         long double limit) {
  fi_ = fi, r_ = r;
  const auto size = static_cast<std::size_t>(count);
  present_.assign(size, 1);
  known_.assign(size, 0);
  exact_.resize(size);
  siteOf_.resize(size);
  x_.resize(size);
  y_.resize(size);
  sites_.clear();
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
  {
    double angle = 0, sine = 0, cosine = 1;
    for (std::int32_t e = 0; e < count; ++e) {
      const auto a = static_cast<double>(fi[e]);
      if (e == 0 || a != angle) angle = a, ::sincos(a, &sine, &cosine);
      const auto radius = static_cast<double>(r[e] * scale_);
      At(x_, e) = radius * cosine;
      At(y_, e) = radius * sine;
    }
  }
  slack_ = 2 * (static_cast<double>(largestFi) * 0x1p-52 + 0x1p-48) + 0x1p-1060;

  // Grid extent and cell size: about the link distance, but never so small
  // that there are many more cells than entries.
  double xMin = x_[0], xMax = xMin, yMin = y_[0], yMax = yMin;
  for (std::int32_t e = 0; e < count; ++e) {
    xMin = std::min(xMin, At(x_, e)), xMax = std::max(xMax, At(x_, e));
    yMin = std::min(yMin, At(y_, e)), yMax = std::max(yMax, At(y_, e));
  }
  x0_ = xMin, y0_ = yMin;
  const double width = xMax - xMin, height = yMax - yMin;
  const double extent = std::max(width, height);
  const double maxCells = 2.0 * count + 16;
  double cell = static_cast<double>(limit * scale_) / 4;
  if (!(cell > 0) || !std::isfinite(cell)) cell = extent;
  cell = std::max(cell, extent / std::sqrt(maxCells));
  if ((width / cell + 1) * (height / cell + 1) > maxCells) cell = std::sqrt(width * height / count) + extent / maxCells;
  if (!(cell > 0) || !std::isfinite(cell)) cell = 1;  // every position the same, or a huge extent
  cell_ = cell;
  columns_ = static_cast<std::int32_t>(std::min(width / cell, maxCells)) + 1;
  rows_ = static_cast<std::int32_t>(std::min(height / cell, maxCells)) + 1;
  PlanOffsets(static_cast<double>(limit * scale_));

  // Entries into cells (a stable counting sort keeps them by index), then the
  // entries of each cell into sites of one point.
  const std::int32_t cells = columns_ * rows_;
  std::vector<std::int32_t>& start = cellEntries_;
  cellOf_.resize(size);
  start.assign(static_cast<std::size_t>(cells) + 1, 0);
  for (std::int32_t e = 0; e < count; ++e) {
    At(cellOf_, e) = CellOf(At(x_, e), At(y_, e));
    ++At(start, At(cellOf_, e) + 1);
  }
  for (std::int32_t c = 0; c < cells; ++c) At(start, c + 1) += At(start, c);
  members_.resize(size);
  for (std::int32_t e = 0; e < count; ++e) At(members_, At(start, At(cellOf_, e))++) = e;
  for (std::int32_t c = cells; c > 0; --c) At(start, c) = At(start, c - 1);  // undo the advance
  At(start, 0) = 0;
  cells_.assign(static_cast<std::size_t>(cells) + 1, Cell{0, 0});
  sites_.reserve(size);
  // Entries of one point have the same approximate position, so ordering by
  // position, then point, then index puts each site's members together.
  auto before = [&](std::int32_t a, std::int32_t b) {
    if (At(x_, a) != At(x_, b)) return At(x_, a) < At(x_, b);
    if (At(y_, a) != At(y_, b)) return At(y_, a) < At(y_, b);
    const bool aOrigin = r[a] == 0, bOrigin = r[b] == 0;
    if (aOrigin != bOrigin) return aOrigin;
    if (!aOrigin && fi[a] != fi[b]) return fi[a] < fi[b];
    if (!aOrigin && r[a] != r[b]) return r[a] < r[b];
    return a < b;
  };
  for (std::int32_t c = 0; c < cells; ++c) {
    At(cells_, c).firstSite = static_cast<std::int32_t>(sites_.size());
    const auto first = members_.begin() + At(start, c), last = members_.begin() + At(start, c + 1);
    if (last - first > 16) {
      std::sort(first, last, before);
    } else {  // most cells hold a few entries
      for (auto it = first + (first != last); it < last; ++it) {
        for (auto at = it; at != first && before(*at, *(at - 1)); --at) std::iter_swap(at, at - 1);
      }
    }
    for (std::int32_t k = At(start, c); k < At(start, c + 1); ++k) {
      const std::int32_t e = At(members_, k);
      // One point has one approximate position, so only equal positions need
      // the exact test.
      if (static_cast<std::int32_t>(sites_.size()) == At(cells_, c).firstSite || sites_.back().x != At(x_, e) ||
          sites_.back().y != At(y_, e) || !SamePoint(At(members_, sites_.back().first), e)) {
        sites_.push_back({At(x_, e), At(y_, e), k, k});
        ++At(cells_, c).present;
      }
      sites_.back().end = k + 1;
      At(siteOf_, e) = static_cast<std::int32_t>(sites_.size()) - 1;
    }
  }
  At(cells_, cells).firstSite = static_cast<std::int32_t>(sites_.size());
  return true;
}

void NearestIndex::PlanOffsets(double limit) {
  // A point in a cell `dc` columns and `dr` rows away lies at least
  // hypot(|dc| - 1, |dr| - 1) cells (each term at least 0) from any point of
  // the home cell; the fractions allow for the rounding of the cell index.
  const double reach = limit + Error(limit);
  const double most = std::min<double>(std::max(columns_, rows_), std::ceil(reach / cell_) + 2);
  const auto spanC = static_cast<std::int32_t>(std::min<double>(most, columns_ - 1));
  const auto spanR = static_cast<std::int32_t>(std::min<double>(most, rows_ - 1));
  offsets_.clear();
  for (std::int32_t dr = -spanR; dr <= spanR; ++dr) {
    for (std::int32_t dc = -spanC; dc <= spanC; ++dc) {
      const double gc = std::max(std::abs(dc) - 1, 0), gr = std::max(std::abs(dr) - 1, 0);
      const double gap = std::sqrt(gc * gc + gr * gr) * cell_ * (1 - 1e-9);
      if (gap <= reach) offsets_.push_back({gap, dc, dr});
    }
  }
  std::sort(offsets_.begin(), offsets_.end(), [](const Offset& a, const Offset& b) {
    if (a.gap != b.gap) return a.gap < b.gap;
    return a.rows != b.rows ? a.rows < b.rows : a.columns < b.columns;
  });
}

std::int32_t NearestIndex::CellOf(double x, double y) const {
  const auto column = static_cast<std::int32_t>(std::clamp((x - x0_) / cell_, 0.0, columns_ - 1.0));
  const auto row = static_cast<std::int32_t>(std::clamp((y - y0_) / cell_, 0.0, rows_ - 1.0));
  return row * columns_ + column;
}

std::int32_t NearestIndex::Nearest(std::int32_t from, long double limit) {
  if (sites_.empty()) return -1;
  const double qx = At(x_, from), qy = At(y_, from);
  const auto lim = static_cast<double>(limit * scale_);
  // Only sites whose approximate distance is within `reach` can win: at first
  // those that may lie within the limit, then those that may tie the best.
  double reach = lim + Error(lim), reach2 = Squared(reach);
  double best2 = INFINITY;
  candidates_.clear();
  const std::int32_t home = CellOf(qx, qy);
  const std::int32_t column = home % columns_, row = home / columns_;
  auto search = [&](std::int32_t cell) {
    for (std::int32_t s = At(cells_, cell).firstSite, end = At(cells_, cell + 1).firstSite; s < end; ++s) {
      const Site& site = At(sites_, s);
      if (site.first == site.end) continue;
      const double dx = site.x - qx, dy = site.y - qy;
      const double d2 = dx * dx + dy * dy;
      if (!(d2 <= reach2)) continue;
      candidates_.push_back({s, d2});
      if (d2 < best2) {
        best2 = d2;
        const double d = std::sqrt(d2);
        reach = std::min(reach, d + 3 * Error(d));
        reach2 = Squared(reach);
      }
    }
  };
  // Cells in order of their least possible distance from the home cell.
  for (const Offset& offset : offsets_) {
    if (offset.gap > reach) break;
    const std::int32_t r = row + offset.rows, c = column + offset.columns;
    if (r < 0 || r >= rows_ || c < 0 || c >= columns_) continue;
    const std::int32_t cell = r * columns_ + c;
    if (At(cells_, cell).present == 0) continue;
    const double x0 = x0_ + c * cell_, y0 = y0_ + r * cell_, fuzz = cell_ * 1e-9;
    if (BoxDistance2(x0 - fuzz, x0 + cell_ + fuzz, y0 - fuzz, y0 + cell_ + fuzz, qx, qy) <= reach2) {
      search(cell);
    }
  }
  // The survivors; one that is surely within the limit needs no exact check.
  std::int32_t survivors = 0, only = -1;
  double onlyDistance2 = 0;
  for (const Candidate& candidate : candidates_) {
    if (candidate.distance2 <= reach2) ++survivors, only = candidate.site, onlyDistance2 = candidate.distance2;
  }
  if (survivors == 0) return -1;
  if (survivors == 1) {
    const double d = std::sqrt(onlyDistance2);
    const double e = 2 * Error(std::max(d, lim));
    if (d + e < lim) return At(members_, At(sites_, only).first);
  }
  const PlanePoint q = Exact(from);
  long double bestDistance = limit;
  std::int32_t bestEntry = -1;
  for (const Candidate& candidate : candidates_) {
    if (!(candidate.distance2 <= reach2)) continue;
    const std::int32_t entry = At(members_, At(sites_, candidate.site).first);
    const long double d = DistanceOf(q, Exact(entry));
    if (d < bestDistance || (d == bestDistance && (bestEntry < 0 || entry < bestEntry))) {
      bestDistance = d;
      bestEntry = entry;
    }
  }
  return bestEntry;
}

bool NearestIndex::Within(std::int32_t a, std::int32_t b, long double limit) {
  const double dx = At(x_, a) - At(x_, b), dy = At(y_, a) - At(y_, b);
  const double d = std::sqrt(dx * dx + dy * dy);
  const auto lim = static_cast<double>(limit * scale_);
  const double e = 2 * Error(std::max(d, lim));
  if (d + e < lim) return true;
  if (d - e > lim) return false;
  return DistanceOf(Exact(a), Exact(b)) <= limit;
}

void NearestIndex::Remove(std::int32_t entry) {
  assert(At(present_, entry));
  At(present_, entry) = 0;
  Site& site = At(sites_, At(siteOf_, entry));
  while (site.first < site.end && !At(present_, At(members_, site.first))) ++site.first;
  if (site.first < site.end) return;
  --At(cells_, At(cellOf_, entry)).present;
}

}  // namespace orbisk
