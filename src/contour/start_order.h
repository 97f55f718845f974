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
  void Remove(std::int32_t entry) { present_[static_cast<std::size_t>(entry)] = 0; }

 private:
  struct Ranked {
    std::uint64_t key;  // the key rounded to double, as ordered bits
    std::int32_t entry;
  };
  long double rExt_ = 0;
  std::vector<long double> keys_;
  std::vector<Ranked> byKey_;
  std::vector<std::uint8_t> present_;
  std::size_t keyCursor_ = 0;
  std::size_t indexCursor_ = 0;
};

}  // namespace orbisk
