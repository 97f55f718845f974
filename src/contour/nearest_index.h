#pragma once
// A grid of square cells over a crossing pool that finds, among the entries
// still present, the nearest one to an entry within a limit, ties going to the
// lowest entry index, and that removes entries as they are chained.
//
// Entries at one point (equal angle and radius, or both at radius 0) form one
// site, which holds its entries in index order and stays in the search while
// any of them is present: a pool of one point repeated is one site, and its
// entries leave in index order without a scan.
//
// Cells hold about one entry each over the entries' box, and fewer where the
// entries fill little of it (a thin ring). A search first scans the nine
// cells around the query (the twenty-five next), which most often settles
// it, else the rows of cells around it as far as the reach goes.
// Positions are held scaled in double precision with a proven bound on their
// error (nearest_bounds.h); only when two candidates (or a candidate and the
// limit) are too close to call does the search compute the exact
// extended-precision positions (PositionOf) and distances (DistanceOf), so the
// answer is always the one a scan of every entry by exact distances gives.
//
// Sites are kept ordered by place (cell by cell, row by row, by x within a
// cell), so a chain walks through nearby memory.
//
// The cells may lie in a frame turned by an angle, so that a pool along a
// thin sector askew fills a thin row of cells rather than a few crowded
// cells of a wide square: distances do not change with the frame.

#include <cstdint>
#include <vector>

#include "contour/chain_geometry.h"
#include "contour/scratch_vector.h"

namespace orbisk {

class NearestIndex {
 public:
  struct Point {
    double x, y;  // approximate position, scaled; y is infinite once the site is gone
  };

  // Indexes entries 0..count-1 at angles fi and radii r (which must stay alive
  // and unchanged while the index is used), all present, for searches up to
  // `limit` (finite, >= 0), replacing what was indexed before (its memory is
  // reused), in a frame turned by `turn` radians where every entry's angle
  // lies within kLargestDoubleAngle of it (else unturned). Returns false,
  // leaving the index unusable, when some angle or radius is not finite.
  bool Reset(const long double* fi, const long double* r, std::int32_t count, long double limit, double turn = 0);

  // The site of an entry: the entries at its point.
  std::int32_t SiteOf(std::int32_t entry) const { return siteOf_[static_cast<std::size_t>(entry)]; }

  // The site of the present entry with the smallest exact distance from site
  // `from` (present or not), the lowest entry among equal distances, when that
  // distance is <= the limit; else -1. Raises MathError (overflow) when the
  // exact distance from `from` to some present entry overflows, as a scan of
  // every entry would.
  std::int32_t Nearest(std::int32_t from);
  // True when the exact distance between sites a and b is <= the limit.
  bool Within(std::int32_t a, std::int32_t b);
  // Removes the lowest present entry of a site that has one, and returns it.
  // The entries of a site share their start key too, so the start order
  // also takes them lowest first: no entry leaves otherwise.
  std::int32_t TakeLowest(std::int32_t site);

 private:
  struct Candidate {
    std::int32_t site;
    double distance2;  // approximate squared distance
  };
  // Where a row search stands: the reach and the nearest squared distance.
  struct Search {
    double reach, reach2, best2;
    double half;  // HalfWidth in the row being searched
  };
  struct Band {
    double low, high;
  };

  bool MeasurePool();
  // False when some angle lies too far from the turn for the turned frame.
  bool ApproximatePositions();
  void ChooseCells();
  // Square cells of side `cell` over the box, at most maxCells a side.
  void SetCells(double cell, double maxCells);
  void CountIntoCells();
  bool ShrinkCrowdedCells();
  void SortIntoCells();
  void FormSites();
  void SetLimits();
  void MeasureExactBox();

  // The nearest from a pass over the cells up to `span` columns and rows from
  // q's, when they settle it; else kUnsettled, with the reach narrowed to what
  // the pass found.
  static constexpr std::int32_t kUnsettled = -2;
  std::int32_t SettleAround(std::int32_t from, const Point& q, std::int32_t span, double& reach);
  // How far q lies inside the block of cells given, from its nearest edge
  // that has more cells beyond it.
  double DepthInBlock(const Point& q, std::int32_t firstColumn, std::int32_t lastColumn, std::int32_t firstRow,
                      std::int32_t lastRow) const;
  // The nearest by a search of the rows around q from `reach` on, which must
  // cover every site that could be nearest.
  std::int32_t SearchRows(std::int32_t from, const Point& q, double reach);
  // Adds the present sites of `row` that may lie within the reach to the
  // candidates, narrowing the reach; false when the whole row lies beyond it.
  bool SearchRow(std::int32_t row, std::int32_t column, const Point& q, Search& search);
  void Consider(std::int32_t site, double dx, double dy2, const Point& q, Search& search);
  // Among the candidates within the final reach, the nearest within the limit.
  std::int32_t ChooseAmong(std::int32_t from, double reach2);
  // `site`, at about `distance` from `from` and alone within the reach of it,
  // when its exact distance is within the limit; else -1.
  std::int32_t WithinLimit(std::int32_t from, std::int32_t site, double distance);
  void CheckNoDistanceOverflows(std::int32_t from);

  std::int32_t ColumnOf(double x) const;
  std::int32_t RowOf(double y) const;
  // Bound on |approximate - exact scaled| for a distance about d.
  double DistanceError(double d) const;
  double HalfWidth(double reach2, double dy2) const;
  bool InCell(const Point& p, std::int64_t c) const;
  Point QueryPoint(std::int32_t site) const;
  const PlanePoint& Exact(std::int32_t site);
  bool SamePoint(std::int32_t entryA, std::int32_t entryB) const;
  std::int32_t LowestPresent(std::int32_t site) const;

  const long double* fi_ = nullptr;
  const long double* r_ = nullptr;
  std::int32_t count_ = 0;
  long double limit_ = 0;
  double turn_ = 0;              // the frame of the approximate positions is turned by this
  long double scale_ = 1;        // approximate positions are the exact ones times this
  double slack_ = 0;             // bound on the error of each approximate coordinate
  double errorBase_ = 0;         // DistanceError(0)
  double scaledLimit_ = 0;       // the limit times scale_, rounded, at most kLimitCap
  bool mayOverflow_ = false;     // some exact distance could overflow
  PlanePoint boxLow_, boxHigh_;  // of the exact positions, when mayOverflow_

  // By entry.
  ScratchVector<Point> position_;       // approximate, while building
  ScratchVector<std::int32_t> siteOf_;  // the cell while building
  // Entries by site, each site's in index order.
  ScratchVector<std::int32_t> order_;
  // By site: the sites cell by cell, row by row, each cell's by x.
  ScratchVector<Point> sitePosition_;
  ScratchVector<double> siteY_;  // y, kept when the site is gone
  struct Run {
    std::int32_t next, end;  // places in order_: its lowest present entry, one past its last
    std::int32_t entry;      // the entry at next (the last one once all are gone)
  };
  ScratchVector<Run> siteRun_;
  ScratchVector<PlanePoint> exact_;    // exact position, once computed
  ScratchVector<std::uint8_t> known_;  // exact_ holds it

  ScratchVector<std::int32_t> cellStart_;  // cell -> its first site (its first entry while building); one extra
  std::vector<Band> rowBand_;              // row + 1 -> its band of y, rows -1 and rows_ empty
  std::vector<Candidate> candidates_;      // of the search under way
  double x0_ = 0, y0_ = 0;                 // lower corner of the grid
  double xMax_ = 0, yMax_ = 0;             // upper corner of the positions
  double cell_ = 1, inverseCell_ = 1;      // cell side; a row is one cell high
  double fuzz_ = 0;                        // bound on the rounding of cell bounds
  std::int32_t columns_ = 1, rows_ = 1;
  std::int64_t filledCells_ = 0;  // cells that hold a site
};

}  // namespace orbisk
