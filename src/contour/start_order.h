#pragma once
// The order in which the polylines of a pool start.

#include <cstdint>
#include <vector>

#include "contour/scratch_vector.h"

namespace orbisk {

// Entries ranked by the distance of their radius to the nearer circle
// (min(RExt - r, r - RInt)), then by index. Next() is the entry a scan of the
// present entries would pick: the first of that ranking when its distance is
// below RExt, else the lowest present entry.
//
// The entries are spread over buckets by their distance and a bucket is sorted
// only when the ranking reaches it, so removing an entry costs one store and
// the whole ranking at most a sort of the buckets it passes.
class StartOrder {
 public:
  // Ranks entries 0..count-1, all present, reusing the memory of the last
  // ranking. A failing key (overflow) raises MathError, in entry order.
  void Reset(const long double* radii, std::int32_t count, long double rInt, long double rExt);
  // The entry to start the next polyline with; some entry must be present.
  std::int32_t Next();
  // Marks a present entry as gone.
  void Remove(std::int32_t entry) { present_[static_cast<std::size_t>(entry)] = 0; }

 private:
  // min(RExt - r, r - RInt) of an entry, computed in extended precision;
  // the checked one where a difference may not be finite.
  long double KeyOf(std::size_t entry) const;
  long double CheckedKeyOf(std::size_t entry) const;

  const long double* radii_ = nullptr;
  long double rInt_ = 0, rExt_ = 0;
  bool modestCircles_ = false;       // both circles below 2^16381 in magnitude
  ScratchVector<long double> keys_;  // of the entries of the buckets opened, while present
  ScratchVector<std::uint8_t> present_;
  ScratchVector<std::int32_t> ranked_;       // entries by bucket, by index within
  ScratchVector<std::int32_t> bucketStart_;  // bucket -> its first place in ranked_; one extra at the end
  ScratchVector<std::int32_t> bucketOf_;     // entry -> bucket, while ranking
  std::size_t opened_ = 0;                   // buckets sorted so far
  // The entries ranked before place_ are gone; place_ to end_ are the sorted
  // entries of the last bucket opened that were present when it opened.
  std::size_t place_ = 0, end_ = 0;
  std::size_t indexCursor_ = 0;
};

}  // namespace orbisk
