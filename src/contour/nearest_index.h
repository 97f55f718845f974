#pragma once
// A uniform cell grid over a crossing pool that finds, among the entries still
// present, the nearest one to an entry within a limit, ties going to the lowest
// entry index, and that removes entries as they are chained.
//
// Positions are held in double precision with a proven bound on their error,
// and the search runs on them; only when two candidates (or a candidate and
// the limit) are too close to call does it compute the exact extended-precision
// positions (PositionOf) and distances (DistanceOf), so the answer is always
// the one a scan of every entry by exact distances would give.

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

  // Indexes entries 0..count-1 at angles fi and radii r (which must stay alive
  // and unchanged while the index is used), all present, for searches up to
  // `limit`, replacing what was indexed before (its memory is reused). Returns
  // false, leaving the index unusable, unless every angle is finite and every
  // radius 0 or within kSmallestRadius..kLargestCoordinate.
  bool Reset(const long double* fi, const long double* r, std::int32_t count, long double limit);

  // The present entry e with the smallest exact distance from entry `from`,
  // the lowest index among equal distances, when that distance is <= limit;
  // else -1.
  std::int32_t Nearest(std::int32_t from, long double limit);
  // True when the exact distance between entries a and b is <= limit.
  bool Within(std::int32_t a, std::int32_t b, long double limit);
  // Marks a present entry as gone.
  void Remove(std::int32_t entry);

 private:
  // Entries at one point (equal angle and radius, or radius zero): they are
  // always equally far from any point, so only the lowest present index among
  // them can win.
  struct Site {
    double x, y;         // approximate position
    std::int32_t first;  // offset of the first still-present member in members_
    std::int32_t end;    // offset past its last member
  };
  struct Candidate {
    std::int32_t site;
    double distance2;  // approximate squared distance
  };

  // A cell relative to the home cell of a search, with a lower bound on the
  // distance of its points from any point of the home cell.
  struct Offset {
    double gap;
    std::int32_t columns, rows;
  };

  std::int32_t CellOf(double x, double y) const;
  // Lists the offsets of every cell that may hold a point within `limit`
  // (scaled), nearest first.
  void PlanOffsets(double limit);
  // Bound on |approximate - exact scaled| for a distance about d (the last
  // term covers squares that underflow).
  double Error(double d) const { return 3 * slack_ + d * 0x1p-40 + 0x1p-500; }
  const PlanePoint& Exact(std::int32_t entry);
  bool SamePoint(std::int32_t a, std::int32_t b) const;

  const long double* fi_ = nullptr;
  const long double* r_ = nullptr;
  std::vector<double> x_, y_;             // entry -> approximate position, scaled
  std::vector<PlanePoint> exact_;         // entry -> exact position, once computed
  std::vector<std::uint8_t> known_;       // entry -> exact_ holds it
  std::vector<Site> sites_;               // grouped by cell
  struct Cell {
    std::int32_t firstSite;  // offset of its first site in sites_
    std::int32_t present;    // sites with a present member
  };
  std::vector<Cell> cells_;               // one extra at the end, for the last cell's end
  std::vector<std::int32_t> members_;     // entry indices, grouped by site, ascending within
  std::vector<std::int32_t> siteOf_;      // entry -> site
  std::vector<std::uint8_t> present_;     // entry -> still in the pool
  std::vector<std::int32_t> cellOf_;      // entry -> cell
  std::vector<std::int32_t> cellEntries_; // cell -> offset of its first entry, while building
  std::vector<Candidate> candidates_;     // of the search under way
  std::vector<Offset> offsets_;           // cells to search, nearest first
  double x0_ = 0, y0_ = 0;                // lower corner of the grid
  double cell_ = 1;                       // cell side
  std::int32_t columns_ = 1, rows_ = 1;
  long double scale_ = 1;  // approximate positions are the exact ones times this
  double slack_ = 0;        // bound on the error of each approximate coordinate
};

}  // namespace orbisk
