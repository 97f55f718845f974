#pragma once
// Working memory of the chaining, kept across the levels of one tracing so
// that each level does not fault in fresh pages.

#include <cstdint>
#include <vector>

#include "contour/nearest_index.h"
#include "contour/start_order.h"

namespace orbisk {

struct ChainScratch {
  std::vector<std::int32_t> line;  // entries of the polyline under way
  StartOrder starts;
  NearestIndex nearest;
};

}  // namespace orbisk
