#pragma once
// A static k-d tree over a crossing pool's positions that finds, among the
// entries still present, the nearest one to a point within a limit, ties going
// to the lowest entry index, and that removes entries as they are chained.

#include <cstdint>
#include <vector>

#include "contour/chain_geometry.h"

namespace orbisk {

class NearestIndex {
 public:
  // Indexes entries 0..positions.size()-1, all present.
  explicit NearestIndex(const std::vector<PlanePoint>& positions);

  // The present entry e with the smallest DistanceOf(from, position e), the
  // lowest index among equal distances, when that distance is <= limit; else -1.
  std::int32_t Nearest(const PlanePoint& from, long double limit) const;
  // Marks a present entry as gone.
  void Remove(std::int32_t entry);

 private:
  // Entries at one exact position: they are always equally far from any point,
  // so only the lowest present index among them can win.
  struct Site {
    PlanePoint at;
    std::int32_t first;  // offset of the first still-present member in members_
    std::int32_t end;    // offset past its last member
    std::int32_t leaf;   // node holding the site
  };
  struct Node {
    long double x0, x1, y0, y1;  // bounding box of its sites
    std::int32_t lo, hi;         // its sites, in sites_
    std::int32_t left = -1, right = -1, parent = -1;
    std::int32_t present;        // sites with a present member
  };
  struct Best {
    long double distance;
    std::int32_t entry;
  };

  std::int32_t Build(std::int32_t lo, std::int32_t hi, std::int32_t parent);
  void Search(std::int32_t node, const PlanePoint& from, Best& best) const;
  static long double BoxDistance(const Node& node, const PlanePoint& from);

  std::vector<Site> sites_;
  std::vector<std::int32_t> members_;       // entry indices, grouped by site, ascending within
  std::vector<std::int32_t> siteOf_;        // entry -> site
  std::vector<std::uint8_t> present_;       // entry -> still in the pool
  std::vector<Node> nodes_;
};

}  // namespace orbisk
