#pragma once
// The tracing of one contour level on its own, so that levels can be traced
// on several threads and handed to the store in level order.

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "contour/chain_scratch.h"
#include "contour/chaining.h"
#include "contour/crossings.h"
#include "platform/ui.h"
#include "polar_data/polar_grid.h"
#include "store/contour_store.h"

namespace orbisk {

// Working memory of one thread's tracing, kept from one level to the next.
struct TraceScratch {
  GatherScratch gather;
  CrossingBuffer crossings;
  ChainScratch chain;
};

// What tracing one level gave: its polylines in chaining order (those chained
// before a failure included) and, when it failed, the stage it was in and the
// failure's message.
struct TracedLevel {
  std::vector<ChainedPolyline> lines;
  bool failed = false;
  std::int32_t stage = 0;  // 0 while radial edges are gathered, 1 afterwards
  std::string failure;     // the message, when failed
  bool outOfMemory = false;
};

// Gathers and chains the crossings of `level`, catching what fails.
TracedLevel TraceLevel(const PolarGrid& grid, long double level, TraceScratch& scratch);

// Hands the traced levels (entry k traced levels[k]) to the store in level
// order, as tracing them one after another would have stored them: each
// level's polylines, tagged with its level, and for a failed level the
// message "it=<stage> il=<k> <failure>" through ui.ShowMessage. After a
// level that ran out of memory nothing more is stored (its polylines stay
// untagged).
void StoreTracedLevels(std::vector<TracedLevel>& traced, const std::vector<long double>& levels, ContourStore& store,
                       Ui& ui);

// True for the failures that mean the process ran out of memory.
bool IsOutOfMemory(const std::exception& error);

}  // namespace orbisk
