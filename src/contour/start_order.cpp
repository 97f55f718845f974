#include "contour/start_order.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>

#include "platform/checked_math.h"
#include "platform/extended_encoding.h"

namespace orbisk {

namespace {

// Whether *v is a valid number with |v| < 2^16381, read from its encoding:
// the difference of two such numbers is finite. (An unnormal, with an
// exponent but no integer bit, is not: arithmetic on it is invalid.)
bool Modest(const long double* v) {
  const int field = ExponentFieldOf(v);
  return field < kExponentBias + 16381 && (field == 0 || (SignificandOf(v) >> 63) != 0);
}

}  // namespace

long double StartOrder::CheckedKeyOf(std::size_t entry) const {
  long double toOuter = rExt_ - radii_[entry];
  long double toInner = radii_[entry] - rInt_;
  if (!std::isfinite(toOuter) || !std::isfinite(toInner)) {
    toOuter = checked::Sub(rExt_, radii_[entry]);  // raises where the literal scan would
    toInner = checked::Sub(radii_[entry], rInt_);
  }
  return toInner < toOuter ? toInner : toOuter;
}

inline long double StartOrder::KeyOf(std::size_t entry) const {
  if (!modestCircles_ || !Modest(&radii_[entry])) return CheckedKeyOf(entry);
  const long double r = radii_[entry];
  const long double toOuter = rExt_ - r, toInner = r - rInt_;
  return toInner < toOuter ? toInner : toOuter;
}

void StartOrder::Reset(const long double* radii, std::int32_t count, long double rInt, long double rExt) {
  radii_ = radii;
  rInt_ = rInt;
  rExt_ = rExt;
  modestCircles_ = Modest(&rInt) && Modest(&rExt);
  indexCursor_ = 0;
  const auto size = static_cast<std::size_t>(count);
  ResizeScratch(present_, size);
  std::fill(present_.begin(), present_.end(), 1);
  ResizeScratch(keys_, size);
  ResizeScratch(bucketOf_, size);
  // About sixteen entries per bucket (few enough buckets for their counts to
  // stay in the nearest cache; most entries are gone when their bucket
  // opens), by a linear map of the key rounded to double over the keys of
  // radii between the circles (0 to (RExt - RInt) / 2, or RExt - RInt to
  // (RExt - RInt) / 2 when RInt > RExt): rounding, the map and the clamping to
  // the first and last bucket keep the order, so a lower bucket never holds a
  // greater key.
  const std::size_t buckets = size / 16 + 1;
  const double span = static_cast<double>(rExt) - static_cast<double>(rInt);
  const double lowest = std::min(span, 0.0);
  double factor = static_cast<double>(buckets) / (std::fabs(span) / 2);
  if (!std::isfinite(factor) || !std::isfinite(span)) factor = 0;
  ResizeScratch(bucketStart_, buckets + 1);
  std::fill(bucketStart_.begin(), bucketStart_.end(), 0);
  // Runs of one radius (the arc crossings of a column) share their key and
  // bucket: it is computed for the first of them only.
  std::int32_t bucket = 0;
  for (std::size_t p = 0; p < size; ++p) {
    if (p == 0 || !SameEncoding(&radii[p], &radii[p - 1])) {
      const long double key = KeyOf(p);
      double offset = (static_cast<double>(key) - lowest) * factor;
      if (!(offset > 0)) offset = 0;  // also a key beyond double times a zero factor
      bucket = static_cast<std::int32_t>(std::min(offset, static_cast<double>(buckets) - 1.0));
    }
    bucketOf_[p] = bucket;
    ++bucketStart_[static_cast<std::size_t>(bucket) + 1];
  }
  for (std::size_t b = 0; b < buckets; ++b) bucketStart_[b + 1] += bucketStart_[b];
  ResizeScratch(ranked_, size);
  for (std::size_t p = 0; p < size; ++p) {
    ranked_[static_cast<std::size_t>(bucketStart_[static_cast<std::size_t>(bucketOf_[p])]++)] =
        static_cast<std::int32_t>(p);
  }
  for (std::size_t b = buckets; b > 0; --b) bucketStart_[b] = bucketStart_[b - 1];  // undo the advance
  bucketStart_[0] = 0;
  opened_ = place_ = end_ = 0;
}

std::int32_t StartOrder::Next() {
  for (;;) {
    while (place_ < end_ && !present_[static_cast<std::size_t>(ranked_[place_])]) ++place_;
    if (place_ < end_) break;
    // Open the next bucket: drop its entries that are gone (most are, by the
    // time the ranking gets there, and their keys need not be computed
    // again); the others are in index order, so a stable sort by key ranks
    // them.
    assert(opened_ + 1 < bucketStart_.size());
    const auto first = ranked_.begin() + bucketStart_[opened_];
    auto last = first;
    for (auto it = first, end = ranked_.begin() + bucketStart_[opened_ + 1]; it != end; ++it) {
      *last = *it;
      last += present_[static_cast<std::size_t>(*it)];
    }
    for (auto it = first; it != last; ++it) keys_[static_cast<std::size_t>(*it)] = KeyOf(static_cast<std::size_t>(*it));
    auto byKey = [&](std::int32_t a, std::int32_t b) {
      return keys_[static_cast<std::size_t>(a)] < keys_[static_cast<std::size_t>(b)];
    };
    if (last - first > 16) {
      // Often one radius: all keys equal, and the bucket is ranked already.
      if (!std::is_sorted(first, last, byKey)) std::stable_sort(first, last, byKey);
    } else {
      for (auto it = first + (first != last); it < last; ++it) {
        for (auto at = it; at != first && byKey(*at, *(at - 1)); --at) std::iter_swap(at, at - 1);
      }
    }
    place_ = static_cast<std::size_t>(first - ranked_.begin());
    end_ = static_cast<std::size_t>(last - ranked_.begin());
    ++opened_;
  }
  const std::int32_t best = ranked_[place_];
  if (keys_[static_cast<std::size_t>(best)] < rExt_) return best;
  while (!present_[indexCursor_]) ++indexCursor_;
  return static_cast<std::int32_t>(indexCursor_);
}

}  // namespace orbisk
