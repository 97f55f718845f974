#include "contour/nearest_index.h"

#include <algorithm>
#include <cassert>
#include <cmath>

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

}  // namespace

// One search: the query point and the best entry so far.
struct NearestIndex::Query {
  PlanePoint from;
  double x, y;              // `from` rounded to double
  long double distance;     // exact distance of the best entry, or the limit
  std::int32_t entry = -1;  // best entry so far
  double reach = 0;         // double distance beyond which nothing can win
  double reach2 = 0;

  void SetReach(double slack) {
    // Rounding to double moves each point by at most `slack`; the relative
    // margin covers the double arithmetic of the search.
    reach = static_cast<double>(distance) * (1 + 1e-12) + 4 * slack;
    reach2 = reach * reach * (1 + 1e-12);
  }
};

void NearestIndex::Reset(const std::vector<PlanePoint>& positions, long double limit) {
  const auto count = static_cast<std::int32_t>(positions.size());
  present_.assign(positions.size(), 1);
  siteOf_.resize(positions.size());
  sites_.clear();
  if (count == 0) return;

  // Grid extent and cell size: about the link distance, but never so small
  // that there are many more cells than entries.
  double xMin = static_cast<double>(positions[0].x), xMax = xMin;
  double yMin = static_cast<double>(positions[0].y), yMax = yMin;
  double largest = 0;
  for (const PlanePoint& p : positions) {
    assert(std::fabs(p.x) <= kLargestCoordinate && std::fabs(p.y) <= kLargestCoordinate);
    const auto x = static_cast<double>(p.x), y = static_cast<double>(p.y);
    xMin = std::min(xMin, x), xMax = std::max(xMax, x);
    yMin = std::min(yMin, y), yMax = std::max(yMax, y);
    largest = std::max({largest, std::fabs(x), std::fabs(y)});
  }
  slack_ = largest * 0x1p-50 + 0x1p-1060;
  x0_ = xMin, y0_ = yMin;
  const double width = xMax - xMin, height = yMax - yMin;
  const double extent = std::max(width, height);
  const double maxCells = 2.0 * count + 16;
  double cell = static_cast<double>(limit) / 4;
  if (!(cell > 0) || !std::isfinite(cell)) cell = extent;
  cell = std::max(cell, extent / std::sqrt(maxCells));
  if ((width / cell + 1) * (height / cell + 1) > maxCells) cell = std::sqrt(width * height / count) + extent / maxCells;
  if (!(cell > 0)) cell = 1;  // every position the same
  cell_ = cell;
  columns_ = static_cast<std::int32_t>(std::min(width / cell, maxCells)) + 1;
  rows_ = static_cast<std::int32_t>(std::min(height / cell, maxCells)) + 1;

  // Entries into cells (a stable counting sort keeps them by index), then the
  // entries of each cell into sites of one exact position.
  const std::int32_t cells = columns_ * rows_;
  std::vector<std::int32_t>& start = cellEntries_;
  cellOf_.resize(positions.size());
  start.assign(static_cast<std::size_t>(cells) + 1, 0);
  for (std::int32_t e = 0; e < count; ++e) {
    At(cellOf_, e) = CellOf(static_cast<double>(At(positions, e).x), static_cast<double>(At(positions, e).y));
    ++At(start, At(cellOf_, e) + 1);
  }
  for (std::int32_t c = 0; c < cells; ++c) At(start, c + 1) += At(start, c);
  members_.resize(positions.size());
  for (std::int32_t e = 0; e < count; ++e) At(members_, At(start, At(cellOf_, e))++) = e;
  for (std::int32_t c = cells; c > 0; --c) At(start, c) = At(start, c - 1);  // undo the advance
  At(start, 0) = 0;
  cellSites_.assign(static_cast<std::size_t>(cells) + 1, 0);
  cellPresent_.assign(static_cast<std::size_t>(cells), 0);
  sites_.reserve(positions.size());
  auto before = [&](std::int32_t a, std::int32_t b) {
    const PlanePoint& p = At(positions, a);
    const PlanePoint& q = At(positions, b);
    if (p.x != q.x) return p.x < q.x;
    if (p.y != q.y) return p.y < q.y;
    return a < b;
  };
  for (std::int32_t c = 0; c < cells; ++c) {
    At(cellSites_, c) = static_cast<std::int32_t>(sites_.size());
    const auto first = members_.begin() + At(start, c), last = members_.begin() + At(start, c + 1);
    if (last - first > 16) {
      std::sort(first, last, before);
    } else {  // most cells hold a few entries
      for (auto it = first + (first != last); it < last; ++it) {
        for (auto at = it; at != first && before(*at, *(at - 1)); --at) std::iter_swap(at, at - 1);
      }
    }
    for (std::int32_t k = At(start, c); k < At(start, c + 1); ++k) {
      const PlanePoint& at = At(positions, At(members_, k));
      if (static_cast<std::int32_t>(sites_.size()) == At(cellSites_, c) || sites_.back().at.x != at.x ||
          sites_.back().at.y != at.y) {
        sites_.push_back({at, static_cast<double>(at.x), static_cast<double>(at.y), k, k});
        ++At(cellPresent_, c);
      }
      sites_.back().end = k + 1;
      At(siteOf_, At(members_, k)) = static_cast<std::int32_t>(sites_.size()) - 1;
    }
  }
  At(cellSites_, cells) = static_cast<std::int32_t>(sites_.size());
}

std::int32_t NearestIndex::CellOf(double x, double y) const {
  const auto column = static_cast<std::int32_t>(std::clamp((x - x0_) / cell_, 0.0, columns_ - 1.0));
  const auto row = static_cast<std::int32_t>(std::clamp((y - y0_) / cell_, 0.0, rows_ - 1.0));
  return row * columns_ + column;
}

std::int32_t NearestIndex::Nearest(const PlanePoint& from, long double limit) const {
  if (sites_.empty()) return -1;
  Query query{from, static_cast<double>(from.x), static_cast<double>(from.y), limit};
  query.SetReach(slack_);
  const std::int32_t home = CellOf(query.x, query.y);
  const std::int32_t column = home % columns_, row = home / columns_;
  const std::int32_t rings = std::max(columns_, rows_);
  // A position in ring k lies at least (k - 1) cells away from the query;
  // the fraction allows for the rounding of the cell index.
  for (std::int32_t k = 0; k <= rings; ++k) {
    if (k >= 2 && (k - 1) * cell_ * (1 - 1e-9) > query.reach) break;
    const std::int32_t r0 = row - k, r1 = row + k, c0 = column - k, c1 = column + k;
    auto visit = [&](std::int32_t r, std::int32_t c) {
      const std::int32_t cell = r * columns_ + c;
      if (At(cellPresent_, cell) == 0) return;
      const double x0 = x0_ + c * cell_, y0 = y0_ + r * cell_, fuzz = cell_ * 1e-9;
      if (BoxDistance2(x0 - fuzz, x0 + cell_ + fuzz, y0 - fuzz, y0 + cell_ + fuzz, query.x, query.y) <=
          query.reach2) {
        SearchCell(cell, query);
      }
    };
    for (std::int32_t r = std::max(r0, 0); r <= std::min(r1, rows_ - 1); ++r) {
      if (r == r0 || r == r1) {
        for (std::int32_t c = std::max(c0, 0); c <= std::min(c1, columns_ - 1); ++c) visit(r, c);
      } else {
        if (c0 >= 0) visit(r, c0);
        if (c1 < columns_ && c1 != c0) visit(r, c1);
      }
    }
  }
  return query.entry;
}

void NearestIndex::SearchCell(std::int32_t cell, Query& query) const {
  for (std::int32_t s = At(cellSites_, cell); s < At(cellSites_, cell + 1); ++s) {
    const Site& site = At(sites_, s);
    if (site.first == site.end) continue;
    const double dx = site.x - query.x;
    const double dy = site.y - query.y;
    if (dx * dx + dy * dy > query.reach2) continue;
    const std::int32_t entry = At(members_, site.first);
    const long double d = DistanceOf(query.from, site.at);
    if (d < query.distance || (d == query.distance && (query.entry < 0 || entry < query.entry))) {
      const bool nearer = d < query.distance;
      query.distance = d;
      query.entry = entry;
      if (nearer) query.SetReach(slack_);
    }
  }
}

void NearestIndex::Remove(std::int32_t entry) {
  assert(At(present_, entry));
  At(present_, entry) = 0;
  Site& site = At(sites_, At(siteOf_, entry));
  while (site.first < site.end && !At(present_, At(members_, site.first))) ++site.first;
  if (site.first < site.end) return;
  const Site& first = site;
  --At(cellPresent_, CellOf(first.x, first.y));
}

}  // namespace orbisk
