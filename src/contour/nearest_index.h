#pragma once
// A grid of square cells over a crossing pool that finds, among the entries
// still present, the nearest one to an entry within a limit, ties going to the
// lowest entry index, and that removes entries as they are chained. A search
// first scans the nine cells around the query, which most often settles it,
// else the rows of cells around it as far as the reach goes.
//
// Positions are held in double precision with a proven bound on their error,
// and the search runs on them; only when two candidates (or a candidate and
// the limit) are too close to call does it compute the exact extended-precision
// positions (PositionOf) and distances (DistanceOf), so the answer is always
// the one a scan of every entry by exact distances would give.
//
// The index keeps its entries in slots ordered by place (row by row, by x
// within a row), and works on slots: a chain walks through nearby slots, so
// their data stays in the cache, where entry order would jump about.

#include <cstdint>
#include <vector>

#include "contour/chain_geometry.h"

namespace orbisk {

class NearestIndex {
 public:
  // The largest radius magnitude the index accepts (doubles hold every
  // coordinate and distance of such points with room to spare).
  static constexpr long double kLargestCoordinate = 1e300L;

  // The smallest nonzero radius magnitude the index accepts: the exact squared
  // distances of smaller points could underflow.
  static constexpr long double kSmallestRadius = 1e-2000L;

  // The largest angle magnitude the index accepts: its double must be finite.
  static constexpr long double kLargestAngle = 0x1p1000L;

  // Indexes entries 0..count-1 at angles fi and radii r (which must stay alive
  // and unchanged while the index is used), all present, for searches up to
  // `limit`, replacing what was indexed before (its memory is reused). Returns
  // false, leaving the index unusable, unless every angle is within
  // kLargestAngle and every radius 0 or within kSmallestRadius..kLargestCoordinate.
  bool Reset(const long double* fi, const long double* r, std::int32_t count, long double limit);

  std::int32_t SlotOf(std::int32_t entry) const { return slotOf_[static_cast<std::size_t>(entry)]; }
  std::int32_t EntryOf(std::int32_t slot) const { return slotEntry_[static_cast<std::size_t>(slot)]; }

  // The slot of the present entry with the smallest exact distance from the
  // entry in slot `from`, the lowest entry index among equal distances, when
  // that distance is <= the limit; else -1.
  std::int32_t Nearest(std::int32_t from);
  // True when the exact distance between the entries in slots a and b is <= the limit.
  bool Within(std::int32_t a, std::int32_t b);
  // Marks the present entry in a slot as gone.
  void Remove(std::int32_t slot);

 private:
  struct Point {
    double x, y;  // approximate position, scaled; y is infinite once the entry is gone
  };
  struct Candidate {
    std::int32_t slot;
    double distance2;  // approximate squared distance
  };

  // The nearest from a pass over the cells up to `span` columns and rows from
  // q's, when they settle it; else kUnsettled, with the reach narrowed to what
  // the pass found.
  static constexpr std::int32_t kUnsettled = -2;
  std::int32_t SettleAround(std::int32_t from, const Point& q, std::int32_t span, double& reach);
  // The nearest by a search of the rows around q from `reach` on, which must
  // cover every entry that could be nearest.
  std::int32_t SearchRows(std::int32_t from, const Point& q, double reach);
  // `slot`, at about `distance` from `from` and alone within the reach of it,
  // when its exact distance is within the limit; else -1.
  std::int32_t WithinLimit(std::int32_t from, std::int32_t slot, double distance);
  std::int32_t ColumnOf(double x) const;
  std::int32_t RowOf(double y) const;
  // Bound on |approximate - exact scaled| for a distance about d (the last
  // term covers squares that underflow).
  double Error(double d) const { return 3 * slack_ + d * 0x1p-40 + 0x1p-500; }
  Point PositionOf(std::int32_t slot) const;
  const PlanePoint& Exact(std::int32_t slot);
  bool SamePoint(std::int32_t slotA, std::int32_t slotB) const;

  const long double* fi_ = nullptr;
  const long double* r_ = nullptr;
  long double limit_ = 0;
  double scaledLimit_ = 0;  // the limit times scale_, rounded
  // By slot: the cells row by row and column by column, the entries of a cell
  // by x, so that each row is one run of slots sorted by x.
  std::vector<Point> slotPosition_;
  std::vector<double> slotY_;  // y, kept when the entry is gone
  std::vector<std::int32_t> slotEntry_;
  std::vector<PlanePoint> exact_;        // exact position, once computed
  std::vector<std::uint8_t> known_;      // exact_ holds it
  std::vector<std::int32_t> slotOf_;     // entry -> slot
  std::vector<Point> position_;          // entry -> approximate position, while building
  std::vector<std::int32_t> cellStart_;  // cell -> its first slot; one extra at the end
  struct Band {
    double low, high;
  };
  std::vector<Band> rowBand_;          // row + 1 -> its band of y, rows -1 and rows_ empty
  std::vector<Candidate> candidates_;  // of the search under way
  double x0_ = 0, y0_ = 0;             // lower corner of the grid
  double cell_ = 1, inverseCell_ = 1;  // cell side; a row is one cell high
  double fuzz_ = 0;                    // bound on the rounding of cell bounds
  std::int32_t columns_ = 1, rows_ = 1;
  // Some cell holds many entries (points along a thin strip): the nine cells
  // around a query are not worth a full scan.
  bool crowded_ = false;
  long double scale_ = 1;  // approximate positions are the exact ones times this
  double slack_ = 0;       // bound on the error of each approximate coordinate
};

}  // namespace orbisk
