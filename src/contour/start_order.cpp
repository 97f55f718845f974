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

void StartOrder::Reset(const long double* radii, std::int32_t count, long double rInt,
                       long double rExt) {
  using namespace checked;
  rExt_ = rExt;
  keyCursor_ = indexCursor_ = 0;
  const auto size = static_cast<std::size_t>(count);
  present_.assign(size, 1);
  keys_.resize(size);
  byKey_.clear();
  byKey_.reserve(size);
  for (std::int32_t p = 0; p < count; ++p) {
    const long double toOuter = Sub(rExt, radii[p]);
    const long double toInner = Sub(radii[p], rInt);
    const long double key = toInner < toOuter ? toInner : toOuter;
    keys_[static_cast<std::size_t>(p)] = key;
    byKey_.push_back({OrderedBits(static_cast<double>(key)), p});
  }
  // Rounding to double keeps the order, so the doubles decide all but ties;
  // the entries of a run of equal doubles are in index order, and are put in
  // the order of their extended keys only when those differ.
  std::sort(byKey_.begin(), byKey_.end(), [](const Ranked& a, const Ranked& b) {
    return a.key != b.key ? a.key < b.key : a.entry < b.entry;
  });
  auto extended = [this](const Ranked& a) { return keys_[static_cast<std::size_t>(a.entry)]; };
  for (auto run = byKey_.begin(); run != byKey_.end();) {
    auto end = run + 1;
    bool mixed = false;
    for (; end != byKey_.end() && end->key == run->key; ++end) mixed |= extended(*end) != extended(*run);
    if (mixed && !std::isnan(extended(*run))) {
      std::stable_sort(run, end, [&](const Ranked& a, const Ranked& b) { return extended(a) < extended(b); });
    }
    run = end;
  }
}

std::int32_t StartOrder::Next() {
  while (!present_[static_cast<std::size_t>(byKey_[keyCursor_].entry)]) ++keyCursor_;
  const std::int32_t best = byKey_[keyCursor_].entry;
  if (keys_[static_cast<std::size_t>(best)] < rExt_) return best;
  while (!present_[indexCursor_]) ++indexCursor_;
  return static_cast<std::int32_t>(indexCursor_);
}

}  // namespace orbisk
