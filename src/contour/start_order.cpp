#include "contour/start_order.h"

#include <algorithm>

#include "contour/checked_math.h"

namespace orbisk {

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
    byKey_.push_back({static_cast<double>(key), p});
  }
  // Rounding to double keeps the order, so the doubles decide all but ties.
  std::sort(byKey_.begin(), byKey_.end(), [this](const Ranked& a, const Ranked& b) {
    if (a.key != b.key) return a.key < b.key;
    const long double ka = keys_[static_cast<std::size_t>(a.entry)];
    const long double kb = keys_[static_cast<std::size_t>(b.entry)];
    if (ka != kb) return ka < kb;
    return a.entry < b.entry;
  });
}

std::int32_t StartOrder::Next() {
  while (!present_[static_cast<std::size_t>(byKey_[keyCursor_].entry)]) ++keyCursor_;
  const std::int32_t best = byKey_[keyCursor_].entry;
  if (keys_[static_cast<std::size_t>(best)] < rExt_) return best;
  while (!present_[indexCursor_]) ++indexCursor_;
  return static_cast<std::int32_t>(indexCursor_);
}

}  // namespace orbisk
