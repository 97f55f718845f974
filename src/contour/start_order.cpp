#include "contour/start_order.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "contour/checked_math.h"

namespace orbisk {

namespace {

// The bits of a double as an unsigned number in the order of the values (both
// zeros alike; NaNs go to either end).
std::uint64_t OrderedBits(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value == 0 ? 0.0 : value);
  return (bits >> 63) != 0 ? ~bits : bits | (std::uint64_t{1} << 63);
}

}  // namespace

const StartOrder::Slot& StartOrder::Earlier(const Slot& a, const Slot& b) const {
  if (a.entry < 0 || b.entry < 0) return a.entry < 0 ? b : a;
  // Rounding to double keeps the order, so the doubles decide all but ties.
  if (a.rounded != b.rounded) return a.rounded < b.rounded ? a : b;
  const long double ka = keys_[static_cast<std::size_t>(a.entry)];
  const long double kb = keys_[static_cast<std::size_t>(b.entry)];
  if (ka < kb) return a;
  if (kb < ka) return b;
  return a.entry < b.entry ? a : b;
}

void StartOrder::Reset(const long double* radii, std::int32_t count, long double rInt,
                       long double rExt) {
  using namespace checked;
  rExt_ = rExt;
  indexCursor_ = 0;
  const auto size = static_cast<std::size_t>(count);
  present_.assign(size, 1);
  keys_.resize(size);
  for (std::int32_t p = 0; p < count; ++p) {
    long double toOuter = rExt - radii[p];
    long double toInner = radii[p] - rInt;
    if (!std::isfinite(toOuter) || !std::isfinite(toInner)) {
      toOuter = Sub(rExt, radii[p]);  // raises where the literal scan would
      toInner = Sub(radii[p], rInt);
    }
    const long double key = toInner < toOuter ? toInner : toOuter;
    keys_[static_cast<std::size_t>(p)] = key;
  }
  leaves_ = std::bit_ceil(std::max<std::size_t>(size, 1));
  // Every inner node and leaf below `size` is written next; only the unused
  // leaves need clearing.
  tree_.resize(2 * leaves_);
  std::fill(tree_.begin() + static_cast<std::ptrdiff_t>(leaves_ + size), tree_.end(), Slot{0, -1});
  for (std::size_t e = 0; e < size; ++e) {
    tree_[leaves_ + e] = {OrderedBits(static_cast<double>(keys_[e])), static_cast<std::int32_t>(e)};
  }
  for (std::size_t node = leaves_ - 1; node >= 1; --node) {
    tree_[node] = Earlier(tree_[2 * node], tree_[2 * node + 1]);
  }
}

void StartOrder::Remove(std::int32_t entry) {
  present_[static_cast<std::size_t>(entry)] = 0;
  std::size_t node = leaves_ + static_cast<std::size_t>(entry);
  tree_[node].entry = -1;
  // Only the nodes the entry was winning change.
  for (node /= 2; node >= 1 && tree_[node].entry == entry; node /= 2) {
    tree_[node] = Earlier(tree_[2 * node], tree_[2 * node + 1]);
  }
}

std::int32_t StartOrder::Next() {
  const std::int32_t best = tree_[1].entry;
  if (keys_[static_cast<std::size_t>(best)] < rExt_) return best;
  while (!present_[indexCursor_]) ++indexCursor_;
  return static_cast<std::int32_t>(indexCursor_);
}

}  // namespace orbisk
