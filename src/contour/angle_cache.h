#pragma once
// Positions of points whose angles repeat. The points of traced polylines
// share their rows' angles (every crossing of a radial edge lies at its
// row's angle), and the extended sine and cosine of an angle beyond pi/4 cost
// about a hundred times a lookup.

#include <cstdint>
#include <vector>

#include "contour/chain_geometry.h"
#include "platform/extended_encoding.h"

namespace orbisk {

class AngleCache {
 public:
  // PositionOf(fi, r), with the sine and cosine of an angle met lately.
  PlanePoint PositionOf(long double fi, long double r) {
    Slot& slot = slots_[SlotOf(fi)];
    if (!SameEncoding(&slot.fi, &fi)) {
      slot.fi = fi;
      SineAndCosine(fi, slot.sine, slot.cosine);
    }
    return {r * slot.cosine, r * slot.sine};
  }

 private:
  // Holds the sine and cosine of fi; an empty slot those of +0.
  struct Slot {
    long double fi = 0, sine = 0, cosine = 1;
  };
  static constexpr int kSlotBits = 9;  // a few hundred rows of a grid, in the nearest caches

  static std::size_t SlotOf(const long double& fi) {
    const std::uint64_t mixed = (SignificandOf(&fi) ^ SignAndExponentOf(&fi)) * 0x9E3779B97F4A7C15;
    return static_cast<std::size_t>(mixed >> (64 - kSlotBits));
  }

  std::vector<Slot> slots_ = std::vector<Slot>(std::size_t{1} << kSlotBits);
};

}  // namespace orbisk
