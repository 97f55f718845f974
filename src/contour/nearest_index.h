#pragma once
// A uniform cell grid over a crossing pool's positions that finds, among the
// entries still present, the nearest one to a point within a limit, ties going
// to the lowest entry index, and that removes entries as they are chained.
//
// Cells are sized from the link distance and the density of the pool and
// searched ring by ring in double precision, with a safety margin that only
// ever keeps too much; the entries kept are compared by their exact
// extended-precision distances, so the answer is the one a scan of every
// entry would give.

#include <cstdint>
#include <vector>

#include "contour/chain_geometry.h"

namespace orbisk {

class NearestIndex {
 public:
  // The largest coordinate magnitude the index accepts (doubles hold it with
  // room to spare).
  static constexpr long double kLargestCoordinate = 1e300L;

  // Indexes entries 0..positions.size()-1, all present, for searches up to
  // `limit`, replacing what was indexed before (its memory is reused); every
  // coordinate must be finite and within kLargestCoordinate.
  void Reset(const std::vector<PlanePoint>& positions, long double limit);

  // The present entry e with the smallest DistanceOf(from, position e), the
  // lowest index among equal distances, when that distance is <= limit; else
  // -1. `from` must be one of the indexed positions.
  std::int32_t Nearest(const PlanePoint& from, long double limit) const;
  // Marks a present entry as gone.
  void Remove(std::int32_t entry);

 private:
  // Entries at one exact position: they are always equally far from any point,
  // so only the lowest present index among them can win.
  struct Site {
    PlanePoint at;       // the exact position
    double x, y;         // `at` rounded to double, for the search
    std::int32_t first;  // offset of the first still-present member in members_
    std::int32_t end;    // offset past its last member
  };
  struct Query;

  std::int32_t CellOf(double x, double y) const;
  void SearchCell(std::int32_t cell, Query& query) const;

  std::vector<Site> sites_;               // grouped by cell
  std::vector<std::int32_t> cellSites_;   // cell -> offset of its first site; one extra at the end
  std::vector<std::int32_t> cellPresent_; // cell -> sites with a present member
  std::vector<std::int32_t> members_;     // entry indices, grouped by site, ascending within
  std::vector<std::int32_t> siteOf_;      // entry -> site
  std::vector<std::uint8_t> present_;     // entry -> still in the pool
  std::vector<std::int32_t> cellOf_;      // entry -> cell, while building
  std::vector<std::int32_t> cellEntries_; // cell -> offset of its first entry, while building
  double x0_ = 0, y0_ = 0;                // lower corner of the grid
  double cell_ = 1;                       // cell side
  std::int32_t columns_ = 1, rows_ = 1;
  double slack_ = 0;  // bound on the distance error of the double positions
};

}  // namespace orbisk
