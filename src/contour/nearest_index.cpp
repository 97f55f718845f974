#include "contour/nearest_index.h"

#include <emmintrin.h>
#include <math.h>

#include <algorithm>
#include <cassert>
#include <cmath>

#include "contour/nearest_bounds.h"
#include "platform/error.h"
#include "platform/extended_encoding.h"

namespace orbisk {

using namespace nearest;

namespace {

template <typename Vector>
auto& At(Vector& v, std::int64_t k) {
  assert(k >= 0 && static_cast<std::size_t>(k) < v.size());
  return v[static_cast<std::size_t>(k)];
}
template <typename Vector>
const auto& At(const Vector& v, std::int64_t k) {
  assert(k >= 0 && static_cast<std::size_t>(k) < v.size());
  return v[static_cast<std::size_t>(k)];
}

// A squared bound that keeps every point whose distance rounds to <= d.
double Squared(double d) { return d * d * (1 + kSquareMargin); }

// Cells holding more entries than this are sorted in full.
constexpr std::int32_t kMostInCell = 16;

// Where the cells that hold sites hold this many each on average, the cells
// are made smaller, up to kMostCellsPerEntry cells per entry.
constexpr double kCrowdedCell = 6;
constexpr double kMostCellsPerEntry = 8;

// The most sites in the cells around a query that are scanned in full.
constexpr std::int32_t kMostInBlock = 64;

// A pass scans at least this many sites of a row, however many its cells
// hold: a loop of fixed length is foreseen, one that ends with the row is
// not. Sites scanned beyond the row's cells are real sites (or the padding
// after the last, far away), so they only add candidates that the depth of
// the block rules out anyway.
constexpr std::int32_t kFixedScan = 6;
constexpr std::int32_t kPaddingSites = kFixedScan;

}  // namespace

// ---- Building --------------------------------------------------------------

bool NearestIndex::Reset(const long double* fi, const long double* r, std::int32_t count, long double limit,
                         double turn) {
  assert(count >= 0 && std::isfinite(limit) && limit >= 0);
  fi_ = fi, r_ = r, count_ = count, limit_ = limit;
  if (!MeasurePool()) return false;
  turn_ = std::isfinite(turn) ? turn : 0;
  if (!ApproximatePositions()) {
    turn_ = 0;
    ApproximatePositions();
  }
  ChooseCells();
  SortIntoCells();
  FormSites();
  if (ShrinkCrowdedCells()) {
    SortIntoCells();
    FormSites();
  }
  SetLimits();
  if (mayOverflow_) MeasureExactBox();
  return true;
}

// The scale and whether distances may overflow; false when an entry is not
// finite. Read from the exponent fields: a pass of integer compares.
bool NearestIndex::MeasurePool() {
  int largest = 0;  // exponent field of the largest radius magnitude
  for (std::int32_t e = 0; e < count_; ++e) {
    const int field = ExponentFieldOf(&r_[e]);
    if (field == kNotFinite || ExponentFieldOf(&fi_[e]) == kNotFinite) return false;
    largest = std::max(largest, field);
  }
  int exponent = largest - kExponentBias;  // ilogb of the largest radius
  if (largest == 0) {                      // all radii 0 or subnormal
    long double largestR = 0;
    for (std::int32_t e = 0; e < count_; ++e) largestR = std::max(largestR, std::fabs(r_[e]));
    exponent = largestR > 0 ? std::ilogb(largestR) : 0;
  }
  scale_ = std::ldexp(1.0L, std::min(-exponent, kExponentBias));
  assert(std::isfinite(scale_));
  mayOverflow_ = largest > 0 && std::ldexp(1.0L, exponent) > kNoOverflowRadius / 2;
  return true;
}

// Approximate scaled positions of the entries, in the turned frame, and their
// bounding box.
bool NearestIndex::ApproximatePositions() {
  const auto size = static_cast<std::size_t>(count_);
  ResizeScratch(position_, size);
  double angle = 0, sine = 0, cosine = 1, largestAngle = 0;
  bool haveAngle = false;
  double xMin = INFINITY, xMax = -INFINITY, yMin = INFINITY, yMax = -INFINITY;
  for (std::int32_t e = 0; e < count_; ++e) {
    Point p;
    const auto a = static_cast<double>(fi_[e] - turn_);
    if (std::fabs(a) <= kLargestDoubleAngle) {
      if (!haveAngle || a != angle) {
        angle = a, haveAngle = true, ::sincos(a, &sine, &cosine);
        largestAngle = std::max(largestAngle, std::fabs(a));
      }
      const auto radius = static_cast<double>(r_[e] * scale_);
      p = {radius * cosine, radius * sine};
    } else {
      if (turn_ != 0) return false;  // the exact position is unturned
      const PlanePoint exact = orbisk::PositionOf(fi_[e], r_[e]);
      p = {static_cast<double>(exact.x * scale_), static_cast<double>(exact.y * scale_)};
    }
    At(position_, e) = p;
    xMin = std::min(xMin, p.x), xMax = std::max(xMax, p.x);
    yMin = std::min(yMin, p.y), yMax = std::max(yMax, p.y);
  }
  // |fi - turn| <= |a| (1 + 2^-53) + 2^-64 |fi - turn|: within the slack's
  // margin of two.
  slack_ = kSlackPerRadian * largestAngle + kSlackBase + kSlackSubnormal;
  x0_ = count_ > 0 ? xMin : 0, y0_ = count_ > 0 ? yMin : 0;
  xMax_ = count_ > 0 ? xMax : 0, yMax_ = count_ > 0 ? yMax : 0;
  // The bound rests on scaled coordinates below 2 and a finite slack.
  assert(std::max(std::max(-x0_, xMax_), std::max(-y0_, yMax_)) <= 2);
  assert(std::isfinite(slack_) && slack_ >= kSlackBase);
  return true;
}

// Cells holding about one entry each on average over the bounding box, but
// never many more cells than entries (a thin strip gets one row); made
// smaller later where the sites crowd a small part of the box.
void NearestIndex::ChooseCells() {
  const double width = xMax_ - x0_, height = yMax_ - y0_;
  const double extent = std::max(width, height);
  const double maxCells = 2.0 * count_ + 16;
  const double spacing = std::sqrt(width * height / std::max(count_, 1));
  double cell = spacing;
  if (!((width / cell + 1) * (height / cell + 1) <= maxCells)) cell = spacing + extent / maxCells;
  if (!(cell > 0)) cell = 1;         // every position the same
  cell = std::max(cell, 0x1p-1000);  // points a subnormal apart: keep 1 / cell finite
  SetCells(cell, maxCells);
}

// The cells and their row bands.
void NearestIndex::SetCells(double cell, double maxCells) {
  const double width = xMax_ - x0_, height = yMax_ - y0_;
  cell_ = cell;
  inverseCell_ = 1 / cell;
  columns_ = static_cast<std::int32_t>(std::min(width / cell, maxCells)) + 1;
  rows_ = static_cast<std::int32_t>(std::min(height / cell, maxCells)) + 1;
  fuzz_ =
      cell * kFuzzPerCell + (std::max(std::fabs(x0_), std::fabs(y0_)) + std::max(width, height)) * kFuzzPerMagnitude;
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
}

// Each entry's cell (in siteOf_) and each cell's count (in cellStart_, one
// place on).
void NearestIndex::CountIntoCells() {
  const std::int64_t cells = std::int64_t{columns_} * rows_;
  ResizeScratch(cellStart_, static_cast<std::size_t>(cells) + 1);
  std::fill(cellStart_.begin(), cellStart_.end(), 0);
  ResizeScratch(siteOf_, static_cast<std::size_t>(count_));
  for (std::int32_t e = 0; e < count_; ++e) {
    const Point& p = At(position_, e);
    const std::int32_t c = RowOf(p.y) * columns_ + ColumnOf(p.x);
    At(siteOf_, e) = c;  // the cell for now
    ++At(cellStart_, c + 1);
  }
}

// Sites that fill a small part of their box (a ring, an arc) crowd the few
// cells they meet: smaller cells, about one site to each of those that hold
// any, up to kMostCellsPerEntry per entry; true when the cells changed. Only
// when the smaller cells would not be crowded even if the sites lay along
// lines (where crowding falls with the side, not the area): a ring too thin
// for cells within that bound keeps its cells, and the search by rows. With
// s >= sqrt(2 w h / most) and s >= 4 (w + h) / most,
// (w / s + 1) (h / s + 1) <= most / 2 + most / 4 + 1 <= most.
bool NearestIndex::ShrinkCrowdedCells() {
  const auto sites = static_cast<double>(siteRun_.size());
  const auto filled = static_cast<double>(filledCells_);
  const double crowding = sites / filled;
  if (!(crowding >= kCrowdedCell)) return false;
  const double width = xMax_ - x0_, height = yMax_ - y0_;
  const double most = kMostCellsPerEntry * count_ + 16;
  const double smaller = std::max(std::max(cell_ / std::sqrt(crowding), std::sqrt(2 * width * height / most)),
                                  4 * (width + height) / most);
  if (!(smaller < cell_ && smaller >= 0x1p-1000 && crowding * smaller / cell_ < kCrowdedCell)) return false;
  SetCells(smaller, most);
  return true;
}

// The entries into cells by a counting sort, then each cell's by x, y and index.
void NearestIndex::SortIntoCells() {
  const auto size = static_cast<std::size_t>(count_);
  CountIntoCells();
  const std::int64_t cells = std::int64_t{columns_} * rows_;
  for (std::int64_t c = 0; c < cells; ++c) At(cellStart_, c + 1) += At(cellStart_, c);
  ResizeScratch(order_, size);
  for (std::int32_t e = 0; e < count_; ++e) At(order_, At(cellStart_, At(siteOf_, e))++) = e;
  for (std::int64_t c = cells; c > 0; --c) At(cellStart_, c) = At(cellStart_, c - 1);  // undo the advance
  cellStart_[0] = 0;
  auto before = [&](std::int32_t a, std::int32_t b) {
    const Point &pa = At(position_, a), &pb = At(position_, b);
    return pa.x < pb.x || (pa.x == pb.x && (pa.y < pb.y || (pa.y == pb.y && a < b)));
  };
  for (std::int64_t c = 0; c < cells; ++c) {
    const auto first = order_.begin() + At(cellStart_, c), last = order_.begin() + At(cellStart_, c + 1);
    if (last - first > kMostInCell) {
      std::sort(first, last, before);
    } else {  // most cells hold a few entries: a stable sort by x keeps equal points together there
      for (auto it = first + (first != last); it < last; ++it) {
        for (auto at = it; at != first && At(position_, *at).x < At(position_, *(at - 1)).x; --at) {
          std::iter_swap(at, at - 1);
        }
      }
    }
  }
}

// Runs of entries at one point within a cell become sites; the cells then
// count sites, and filledCells_ the cells that hold any.
void NearestIndex::FormSites() {
  const std::int64_t cells = std::int64_t{columns_} * rows_;
  ResizeScratch(siteRun_, static_cast<std::size_t>(count_));
  ResizeScratch(sitePosition_, static_cast<std::size_t>(count_) + kPaddingSites);
  ResizeScratch(siteY_, static_cast<std::size_t>(count_));
  std::int32_t sites = 0, entryBegin = 0;
  filledCells_ = 0;
  for (std::int64_t c = 0; c < cells; ++c) {
    const std::int32_t entryEnd = At(cellStart_, c + 1), firstSite = sites;
    At(cellStart_, c) = firstSite;
    Point last{INFINITY, INFINITY};  // no position: the first entry starts a site
    for (std::int32_t k = entryBegin; k < entryEnd; ++k) {
      const std::int32_t entry = At(order_, k);
      const Point& p = At(position_, entry);
      // Entries at one point have the same approximate position: a cheap test first.
      if (!(p.x == last.x && p.y == last.y) || !SamePoint(At(order_, k - 1), entry)) {
        if (sites > 0) At(siteRun_, sites - 1).end = k;
        At(siteRun_, sites) = {k, k, entry};
        At(siteY_, sites) = p.y;
        At(sitePosition_, sites++) = p;
        last = p;
        assert(InCell(p, c));  // the cell bounds the searches use hold it
      }
      At(siteOf_, entry) = sites - 1;
    }
    filledCells_ += sites > firstSite;
    entryBegin = entryEnd;
  }
  At(cellStart_, cells) = sites;
  if (sites > 0) At(siteRun_, sites - 1).end = count_;
  siteRun_.resize(static_cast<std::size_t>(sites));
  sitePosition_.resize(static_cast<std::size_t>(sites) + kPaddingSites);
  std::fill(sitePosition_.end() - kPaddingSites, sitePosition_.end(), Point{INFINITY, INFINITY});  // far away
  siteY_.resize(static_cast<std::size_t>(sites));
  ResizeScratch(known_, static_cast<std::size_t>(sites));
  std::fill(known_.begin(), known_.end(), 0);
  ResizeScratch(exact_, static_cast<std::size_t>(sites));
}

void NearestIndex::SetLimits() {
  const long double underflow = std::min(scale_ * kExtendedUnderflow, static_cast<long double>(kReachCap));
  errorBase_ = std::min(3 * slack_ + kDoubleUnderflow + static_cast<double>(underflow), kReachCap);
  scaledLimit_ = static_cast<double>(std::min(limit_ * scale_, static_cast<long double>(kLimitCap)));
  assert(std::isfinite(errorBase_) && scaledLimit_ >= 0 && scaledLimit_ <= kLimitCap);
  // A clamped limit admits every pair, so no distance may overflow then.
  assert(scaledLimit_ < kLimitCap || !mayOverflow_);
}

// The bounding box of the exact positions, for the overflow check.
void NearestIndex::MeasureExactBox() {
  boxLow_ = {INFINITY, INFINITY}, boxHigh_ = {-INFINITY, -INFINITY};
  for (std::int32_t s = 0; s < static_cast<std::int32_t>(siteRun_.size()); ++s) {
    const PlanePoint& p = Exact(s);
    boxLow_ = {std::min(boxLow_.x, p.x), std::min(boxLow_.y, p.y)};
    boxHigh_ = {std::max(boxHigh_.x, p.x), std::max(boxHigh_.y, p.y)};
  }
}

// ---- Small parts -----------------------------------------------------------

bool NearestIndex::SamePoint(std::int32_t entryA, std::int32_t entryB) const {
  if (r_[entryA] == 0 || r_[entryB] == 0) return r_[entryA] == r_[entryB];
  return fi_[entryA] == fi_[entryB] && r_[entryA] == r_[entryB];
}

// Whether p lies in cell c as the searches see it: within its column's
// bounds and its row's band, each widened by the fuzz.
bool NearestIndex::InCell(const Point& p, std::int64_t c) const {
  const auto column = static_cast<std::int32_t>(c % columns_), row = static_cast<std::int32_t>(c / columns_);
  const double left = column > 0 ? x0_ + column * cell_ - fuzz_ : -INFINITY;
  const double right = column + 1 < columns_ ? x0_ + (column + 1) * cell_ + fuzz_ : INFINITY;
  const Band& band = At(rowBand_, row + 1);
  return left <= p.x && p.x <= right && band.low <= p.y && p.y <= band.high;
}

NearestIndex::Point NearestIndex::QueryPoint(std::int32_t site) const {
  return {At(sitePosition_, site).x, At(siteY_, site)};
}

std::int32_t NearestIndex::LowestPresent(std::int32_t site) const {
  assert(At(siteRun_, site).next < At(siteRun_, site).end);
  return At(siteRun_, site).entry;
}

// Every entry of a site has the same exact position: that of the one in its
// run (the last taken, once all are).
const PlanePoint& NearestIndex::Exact(std::int32_t site) {
  if (!At(known_, site)) {
    const std::int32_t entry = At(siteRun_, site).entry;
    At(exact_, site) = orbisk::PositionOf(fi_[entry], r_[entry]);
    At(known_, site) = 1;
  }
  return At(exact_, site);
}

std::int32_t NearestIndex::ColumnOf(double x) const {
  return static_cast<std::int32_t>(std::clamp((x - x0_) * inverseCell_, 0.0, columns_ - 1.0));
}

std::int32_t NearestIndex::RowOf(double y) const {
  return static_cast<std::int32_t>(std::clamp((y - y0_) * inverseCell_, 0.0, rows_ - 1.0));
}

double NearestIndex::DistanceError(double d) const { return errorBase_ + d * kDistanceRelative; }

// Only x within this of q.x can be within the reach of q, in a row dy away
// (the added term covers the rounding of the difference, which may cancel).
double NearestIndex::HalfWidth(double reach2, double dy2) const {
  return std::sqrt(std::max(reach2 - dy2, 0.0) + reach2 * 0x1p-48) * (1 + kSquareMargin) + fuzz_;
}

// ---- Searching -------------------------------------------------------------

std::int32_t NearestIndex::Nearest(std::int32_t site) {
  if (mayOverflow_) CheckNoDistanceOverflows(site);
  const Point q = QueryPoint(site);
  // Only sites whose approximate distance is within the reach can win: at
  // first those that may lie within the limit, then those that may tie the
  // nearest.
  double reach = std::min(scaledLimit_ + DistanceError(scaledLimit_), kReachCap);
  std::int32_t found = kUnsettled;
  // The nine cells around, then the twenty-five.
  for (std::int32_t span = 1; span <= 2 && found == kUnsettled; ++span) {
    found = SettleAround(site, q, span, reach);
  }
  if (found == kUnsettled) found = SearchRows(site, q, reach);
  return found < 0 ? -1 : found;
}

inline double NearestIndex::DepthInBlock(const Point& q, std::int32_t firstColumn, std::int32_t lastColumn,
                                         std::int32_t firstRow, std::int32_t lastRow) const {
  const double left = firstColumn > 0 ? q.x - (x0_ + firstColumn * cell_) : INFINITY;
  const double right = lastColumn + 1 < columns_ ? x0_ + (lastColumn + 1) * cell_ - q.x : INFINITY;
  const double below = firstRow > 0 ? q.y - At(rowBand_, firstRow + 1).low : INFINITY;
  const double above = lastRow + 1 < rows_ ? At(rowBand_, lastRow + 1).high - q.y : INFINITY;
  return std::min(std::min(left, right), std::min(below, above)) - 2 * fuzz_;
}

namespace {

// The smallest and second smallest of the squared distances seen, and a
// site at the smallest (the one that matters when it is alone there).
struct TwoNearest {
  double best2 = INFINITY, next2 = INFINITY;
  std::int32_t site = -1;

  void Merge(const TwoNearest& other) {
    next2 = std::min(std::min(next2, other.next2), std::max(best2, other.best2));
    if (other.best2 < best2) site = other.site;
    best2 = std::min(best2, other.best2);
  }
};

// TwoNearest for two lanes at once, in SSE2 registers: the choice of the
// nearer site is a mask, not a branch, as it cannot be foreseen; the sites
// are held as doubles (exact below 2^53).
struct TwoNearestPair {
  __m128d best2 = _mm_set1_pd(INFINITY), next2 = _mm_set1_pd(INFINITY), site = _mm_set1_pd(-1);

  // Sites a (lane 0) and b (lane 1), at positions pa and pb, from q.
  void Add(__m128d pa, __m128d pb, __m128d q, __m128d sites) {
    const __m128d da = _mm_sub_pd(pa, q), db = _mm_sub_pd(pb, q);
    const __m128d sa = _mm_mul_pd(da, da), sb = _mm_mul_pd(db, db);
    const __m128d d2 = _mm_add_pd(_mm_unpacklo_pd(sa, sb), _mm_unpackhi_pd(sa, sb));  // dx^2 + dy^2
    next2 = _mm_min_pd(next2, _mm_max_pd(best2, d2));
    const __m128d nearer = _mm_cmplt_pd(d2, best2);
    site = _mm_or_pd(_mm_and_pd(nearer, sites), _mm_andnot_pd(nearer, site));
    best2 = _mm_min_pd(best2, d2);
  }
  void MergeInto(TwoNearest& into) const {
    alignas(16) double b[2], n[2], s[2];
    _mm_store_pd(b, best2), _mm_store_pd(n, next2), _mm_store_pd(s, site);
    for (int lane = 0; lane < 2; ++lane) into.Merge({b[lane], n[lane], static_cast<std::int32_t>(s[lane])});
  }
};

// The two nearest to q of sites first..end-1, and of the sites after them up
// to kFixedScan in all and to an even count (a site that is gone lies
// infinitely far): a pair at a time, without a branch for the last one. The
// array ends with kPaddingSites padding sites far away.
inline void ScanSites(const NearestIndex::Point* sites, std::int32_t first, std::int32_t end,
                      const NearestIndex::Point& q, TwoNearestPair& nearest) {
  const __m128d where = _mm_set_pd(q.y, q.x), two = _mm_set1_pd(2);
  __m128d index = _mm_set_pd(first + 1, first);
  for (std::int32_t k = 0; k < kFixedScan; k += 2) {
    nearest.Add(_mm_loadu_pd(&sites[first + k].x), _mm_loadu_pd(&sites[first + k + 1].x), where, index);
    index = _mm_add_pd(index, two);
  }
  for (std::int32_t s = first + kFixedScan; s < end; s += 2) {
    nearest.Add(_mm_loadu_pd(&sites[s].x), _mm_loadu_pd(&sites[s + 1].x), where, index);
    index = _mm_add_pd(index, two);
  }
}

}  // namespace

std::int32_t NearestIndex::SettleAround(std::int32_t from, const Point& q, std::int32_t span, double& reach) {
  // Most often the nearest present site lies in the query's cell or the
  // cells around it, alone within the reach of its distance, and nearer than
  // any site outside: a pass over those cells without a branch per site
  // settles it.
  const std::int32_t column = ColumnOf(q.x), home = RowOf(q.y);
  const std::int32_t firstColumn = std::max(column - span, 0), lastColumn = std::min(column + span, columns_ - 1);
  const std::int32_t firstRow = std::max(home - span, 0), lastRow = std::min(home + span, rows_ - 1);
  // Crowded cells (points along a thin strip) are not worth a full scan: the
  // search by rows finds x in them.
  std::int32_t inBlock = 0;
  for (std::int32_t row = firstRow; row <= lastRow; ++row) {
    const std::int32_t* cells = cellStart_.data() + std::int64_t{row} * columns_;
    inBlock += cells[lastColumn + 1] - cells[firstColumn];
  }
  if (inBlock > kMostInBlock) return kUnsettled;
  TwoNearestPair pair;
  for (std::int32_t row = firstRow; row <= lastRow; ++row) {
    const std::int32_t* cells = cellStart_.data() + std::int64_t{row} * columns_;
    ScanSites(sitePosition_.data(), cells[firstColumn], cells[lastColumn + 1], q, pair);
  }
  TwoNearest nearest;
  pair.MergeInto(nearest);
  const double nearest2 = nearest.best2, next2 = nearest.next2;
  const double d = std::sqrt(nearest2);
  if (nearest.site >= 0) reach = std::min(reach, d + 3 * DistanceError(d));
  if (reach * (1 + 0x1p-39) < DepthInBlock(q, firstColumn, lastColumn, firstRow, lastRow)) {
    const double reach2 = Squared(reach);
    if (!(nearest2 <= reach2)) return -1;  // none within the limit
    if (next2 > reach2) return WithinLimit(from, nearest.site, d);
  }
  return kUnsettled;
}

std::int32_t NearestIndex::WithinLimit(std::int32_t from, std::int32_t site, double distance) {
  const double lim = scaledLimit_;
  if (distance + 2 * DistanceError(std::max(distance, lim)) < lim) return site;
  return DistanceOf(Exact(from), Exact(site)) <= limit_ ? site : -1;
}

std::int32_t NearestIndex::SearchRows(std::int32_t from, const Point& q, double reach) {
  assert(std::isfinite(reach) && reach <= kReachCap);
  Search search{reach, Squared(reach), INFINITY, 0};
  const std::int32_t column = ColumnOf(q.x);
  candidates_.clear();
  // The query's row, then the rows above and below it, nearest first. The
  // finite reach stops each way at the latest at the empty row past the end.
  const std::int32_t home = RowOf(q.y);
  SearchRow(home, column, q, search);
  bool up = true, down = true;
  for (std::int32_t k = 1; up || down; ++k) {
    up = up && SearchRow(home + k, column, q, search);
    down = down && SearchRow(home - k, column, q, search);
  }
  return ChooseAmong(from, search.reach2);
}

bool NearestIndex::SearchRow(std::int32_t row, std::int32_t column, const Point& q, Search& search) {
  // How far the row's band lies from the query, vertically.
  const Band& band = At(rowBand_, row + 1);
  const double dy = std::max(std::max(band.low - q.y, q.y - band.high), 0.0);
  if (!(dy <= search.reach)) return false;
  assert(row >= 0 && row < rows_);
  const double dy2 = dy * dy;
  const std::int32_t* cells = cellStart_.data() + std::int64_t{row} * columns_;
  const Point* sites = sitePosition_.data();
  std::int32_t middle = cells[column];
  if (cells[column + 1] - middle > 8) {  // a crowded cell: find q.x in it
    middle = static_cast<std::int32_t>(std::lower_bound(sites + middle, sites + cells[column + 1], q.x,
                                                        [](const Point& p, double x) { return p.x < x; }) -
                                       sites);
  }
  // Outward from q.x, both ways, while x may lie within the reach.
  search.half = HalfWidth(search.reach2, dy2);
  for (std::int32_t s = middle, end = cells[columns_]; s < end; ++s) {
    const double dx = sites[s].x - q.x;
    if (dx > search.half) break;
    Consider(s, dx, dy2, q, search);
  }
  for (std::int32_t s = middle - 1, begin = cells[0]; s >= begin; --s) {
    const double dx = sites[s].x - q.x;
    if (dx < -search.half) break;
    Consider(s, dx, dy2, q, search);
  }
  return true;
}

inline void NearestIndex::Consider(std::int32_t site, double dx, double dy2, const Point& q, Search& search) {
  const double dy = sitePosition_[static_cast<std::size_t>(site)].y - q.y;
  const double d2 = dx * dx + dy * dy;  // infinite for a site that is gone
  if (!(d2 <= search.reach2)) return;
  candidates_.push_back({site, d2});
  if (d2 < search.best2) {
    search.best2 = d2;
    const double d = std::sqrt(d2);
    search.reach = std::min(search.reach, d + 3 * DistanceError(d));
    search.reach2 = Squared(search.reach);
    search.half = HalfWidth(search.reach2, dy2);
  }
}

std::int32_t NearestIndex::ChooseAmong(std::int32_t from, double reach2) {
  std::int32_t survivors = 0;
  Candidate only{-1, 0};
  for (const Candidate& candidate : candidates_) {
    if (candidate.distance2 <= reach2) ++survivors, only = candidate;
  }
  if (survivors == 0) return -1;
  if (survivors == 1) return WithinLimit(from, only.site, std::sqrt(only.distance2));
  // Too close to call: the exact distances decide, ties to the lowest entry.
  const PlanePoint exactFrom = Exact(from);
  long double bestDistance = limit_;
  std::int32_t best = -1;
  for (const Candidate& candidate : candidates_) {
    if (!(candidate.distance2 <= reach2)) continue;
    const long double d = DistanceOf(exactFrom, Exact(candidate.site));
    if (d < bestDistance || (d == bestDistance && (best < 0 || LowestPresent(candidate.site) < LowestPresent(best)))) {
      bestDistance = d;
      best = candidate.site;
    }
  }
  return best;
}

// Raises where a scan of every present entry by exact distances would meet
// one that overflows. Rounding is monotone, so no distance from the query
// exceeds the one computed the same way to the far corner of the box of all
// sites; only when that overflows are the present sites scanned.
void NearestIndex::CheckNoDistanceOverflows(std::int32_t from) {
  const PlanePoint& p = Exact(from);
  const long double dx = std::max(std::fabs(boxLow_.x - p.x), std::fabs(boxHigh_.x - p.x));
  const long double dy = std::max(std::fabs(boxLow_.y - p.y), std::fabs(boxHigh_.y - p.y));
  if (std::isfinite(std::sqrt(dx * dx + dy * dy))) return;
  for (std::int32_t s = 0; s < static_cast<std::int32_t>(siteRun_.size()); ++s) {
    if (std::isinf(At(sitePosition_, s).y)) continue;  // gone
    if (!std::isfinite(DistanceOf(p, Exact(s)))) throw MathError(MathErrorKind::Overflow);
  }
}

bool NearestIndex::Within(std::int32_t siteA, std::int32_t siteB) {
  const Point pa = QueryPoint(siteA), pb = QueryPoint(siteB);
  const double dx = pa.x - pb.x, dy = pa.y - pb.y;
  const double d = std::sqrt(dx * dx + dy * dy);
  if (d - 2 * DistanceError(std::max(d, scaledLimit_)) > scaledLimit_) return false;
  return WithinLimit(siteA, siteB, d) >= 0;
}

// A site's entries leave in index order, so its cursor only moves on.
std::int32_t NearestIndex::TakeLowest(std::int32_t site) {
  const std::int32_t entry = LowestPresent(site);
  Run& run = At(siteRun_, site);
  if (++run.next == run.end) {
    At(sitePosition_, site).y = INFINITY;
  } else {
    run.entry = At(order_, run.next);
  }
  return entry;
}

}  // namespace orbisk
