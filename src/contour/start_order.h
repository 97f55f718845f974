#pragma once
// The order in which the polylines of a pool start.

#include <cstdint>
#include <vector>

namespace orbisk {

// Entries ranked by the distance of their radius to the nearer circle
// (min(RExt - r, r - RInt)), then by index. Next() is the entry a scan of the
// present entries would pick: the first of that ranking when its distance is
// below RExt, else the lowest present entry.
class StartOrder {
 public:
  // Ranks entries 0..count-1, all present, reusing the memory of the last
  // ranking. A failing key (overflow) raises MathError, in entry order.
  void Reset(const long double* radii, std::int32_t count, long double rInt, long double rExt);
  // The entry to start the next polyline with; some entry must be present.
  std::int32_t Next();
  // Marks a present entry as gone.
  void Remove(std::int32_t entry);

 private:
  // An entry with its key rounded to double, as ordered bits; entry -1 (no
  // entry) ranks last.
  struct Slot {
    std::uint64_t rounded;
    std::int32_t entry;
  };
  // The earlier of two slots in the ranking.
  const Slot& Earlier(const Slot& a, const Slot& b) const;

  long double rExt_ = 0;
  std::vector<long double> keys_;
  // A tournament over the entries: leaf leaves_ + e holds entry e while it is
  // present, each inner node the earliest entry of its two children.
  std::vector<Slot> tree_;
  std::size_t leaves_ = 1;
  std::vector<std::uint8_t> present_;
  std::size_t indexCursor_ = 0;
};

}  // namespace orbisk
