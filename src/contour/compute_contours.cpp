#include "contour/compute_contours.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <string>

#include "contour/contour_levels.h"
#include "contour/level_trace.h"
#include "platform/available_memory.h"
#include "platform/error.h"

namespace orbisk {

namespace {

// A traced point is an angle and a radius in extended precision.
constexpr std::uint64_t kBytesPerPoint = 2 * sizeof(long double);

// How many of the sorted levels lie between a and b, ends included: an upper
// bound of the crossings that the edge from a to b contributes.
std::uint64_t LevelsBetween(const std::vector<long double>& levels, long double a, long double b) {
  if (!(a <= b)) std::swap(a, b);
  if (!(a <= b)) return 0;  // a NaN crosses nothing
  auto first = std::lower_bound(levels.begin(), levels.end(), a);
  return static_cast<std::uint64_t>(std::upper_bound(first, levels.end(), b) - first);
}

// An upper bound of the points that tracing levels over grid gives: every
// edge, radial and along the arcs (the closing one included), crosses each
// level between its two values at most once.
std::uint64_t CrossingsBound(const PolarGrid& grid, const std::vector<long double>& levels) {
  const auto rows = static_cast<std::size_t>(std::clamp(grid.NFi, 0, kGridRoom));
  const auto columns = static_cast<std::size_t>(std::clamp(grid.NR, 0, kGridRoom));
  std::uint64_t points = 0;
  for (std::size_t i = 0; i < rows; ++i) {
    const auto& row = grid.Values[i];
    const auto& next = grid.Values[(i + 1) % rows];
    for (std::size_t j = 0; j < columns; ++j) {
      if (j + 1 < columns) points += LevelsBetween(levels, row[j], row[j + 1]);
      points += LevelsBetween(levels, row[j], next[j]);
    }
  }
  return points;
}

// Refuses, before anything is traced, a level count whose polylines cannot
// fit the memory this process may still take.
void RefuseWhatCannotFit(const PolarGrid& grid, const std::vector<long double>& levels, std::uint64_t extraPerPoint) {
  const std::uint64_t available = AvailableMemory();
  const std::uint64_t perPoint = kBytesPerPoint + extraPerPoint;
  // Every level crossing every edge: when even that fits, nothing is counted.
  const std::uint64_t edges = 2 * kGridRoom * kGridRoom;
  if (levels.size() * edges * perPoint <= available) return;
  const std::uint64_t needed = CrossingsBound(grid, levels) * perPoint;
  if (needed <= available) return;
  auto mib = [](std::uint64_t bytes) { return std::to_string((bytes + (1 << 20) - 1) >> 20) + " MiB"; };
  throw Error("Not enough memory for " + std::to_string(levels.size()) + " contour levels: they may need up to " +
              mib(needed) + ", " + mib(available) + " available");
}

// The tracing memory of the calling thread, kept from one tracing to the
// next: an area made afresh for each tracing would go back to the system
// when freed and be faulted in again, which can cost more than the tracing
// of a smooth grid itself.
TraceScratch& ThreadScratch() {
  thread_local TraceScratch scratch;
  return scratch;
}

// Traces the levels over the pool's threads, each level on its own; after a
// level that ran out of memory, the later ones are not traced.
std::vector<TracedLevel> TraceLevels(const PolarGrid& grid, const std::vector<long double>& levels, ThreadPool& pool) {
  std::vector<TracedLevel> traced(levels.size());
  std::atomic<std::size_t> lastToTrace{levels.size()};
  pool.ParallelFor(levels.size(), [&](std::size_t k, unsigned /*worker*/) {
    if (k > lastToTrace) return;
    traced[k] = TraceLevel(grid, levels[k], ThreadScratch());
    if (!traced[k].outOfMemory) return;
    for (std::size_t last = lastToTrace; k < last && !lastToTrace.compare_exchange_weak(last, k);) {
    }
  });
  return traced;
}

}  // namespace

void ComputeContours(const PolarGrid& grid, std::int32_t nLevel, ContourStore& store, Ui& ui,
                     std::uint64_t extraBytesPerPoint, ThreadPool& pool) {
  ComputeContours(grid, LevelChoice{}, nLevel, store, ui, extraBytesPerPoint, pool);
}

ChosenLevels ComputeContours(const PolarGrid& grid, const LevelChoice& choice, std::int32_t nLevel, ContourStore& store,
                             Ui& ui, std::uint64_t extraBytesPerPoint, ThreadPool& pool) {
  ui.ShowHourglass();
  ui.ProcessPendingEvents();
  store.ClearLines();
  ChosenLevels chosen = ChooseLevels(choice, grid.MinValue, grid.MaxValue, nLevel);
  const std::vector<long double>& levels = chosen.levels;
  RefuseWhatCannotFit(grid, levels, extraBytesPerPoint);
  std::vector<TracedLevel> traced = TraceLevels(grid, levels, pool);
  StoreTracedLevels(traced, levels, store, ui);
  ui.RestoreCursor();
  return chosen;
}

}  // namespace orbisk
