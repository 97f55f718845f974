#include "contour/level_trace.h"

#include <cassert>
#include <exception>
#include <new>
#include <stdexcept>
#include <string>

#include "platform/error.h"

namespace orbisk {

bool IsOutOfMemory(const std::exception& error) {
  return dynamic_cast<const std::bad_alloc*>(&error) != nullptr ||
         dynamic_cast<const std::length_error*>(&error) != nullptr;
}

TracedLevel TraceLevel(const PolarGrid& grid, long double level, TraceScratch& scratch) {
  TracedLevel traced;
  try {
    GatherCrossings(grid, level, scratch.crossings, scratch.gather, traced.stage);
    const CrossingBuffer& crossings = scratch.crossings;
    ChainCrossings(crossings.Fi(), crossings.R(), crossings.Count(), grid, traced.lines, scratch.chain);
  } catch (const std::exception& error) {
    traced.failed = true;
    traced.failure = MessageOf(error);
    traced.outOfMemory = IsOutOfMemory(error);
  }
  return traced;
}

namespace {

// Hands a traced level to the store as the serial loop would have stored it;
// false when tracing must stop (out of memory).
bool StoreLevel(TracedLevel& traced, std::size_t k, long double level, ContourStore& store, Ui& ui) {
  try {
    StorePolylines(traced.lines, store);
    if (!traced.failed) store.TagNewPolylines(level);
  } catch (const std::exception& error) {
    // The store failed before the level would have: it was chaining then.
    traced = {{}, true, 1, MessageOf(error), IsOutOfMemory(error)};
  }
  if (!traced.failed) return true;
  ui.ShowMessage("it=" + std::to_string(traced.stage) + " il=" + std::to_string(k) + " " + traced.failure);
  // The levels after an out-of-memory cannot fare better; the store then
  // keeps its polylines without levels.
  if (traced.outOfMemory) return false;
  store.TagNewPolylines(level);  // the polylines stored before the failure
  return true;
}

}  // namespace

void StoreTracedLevels(std::vector<TracedLevel>& traced, const std::vector<long double>& levels, ContourStore& store,
                       Ui& ui) {
  assert(traced.size() == levels.size());
  for (std::size_t k = 0; k < levels.size(); ++k) {
    if (!StoreLevel(traced[k], k, levels[k], store, ui)) break;
    traced[k] = {};  // frees the emptied level at once
  }
}

}  // namespace orbisk
