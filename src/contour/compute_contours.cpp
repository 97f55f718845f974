#include "contour/compute_contours.h"

#include <exception>
#include <new>
#include <string>

#include "contour/chain_scratch.h"
#include "contour/chaining.h"
#include "contour/contour_levels.h"
#include "contour/crossings.h"

namespace orbisk {

namespace {

std::string MessageOf(const std::exception& error) {
  if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) return "Out of memory";
  return error.what();
}

}  // namespace

void ComputeContours(const PolarGrid& grid, std::int32_t nLevel, ContourStore& store, Ui& ui) {
  ComputeContours(grid, LevelChoice{}, nLevel, store, ui);
}

ChosenLevels ComputeContours(const PolarGrid& grid, const LevelChoice& choice, std::int32_t nLevel, ContourStore& store,
                             Ui& ui) {
  ui.ShowHourglass();
  ui.ProcessPendingEvents();
  store.ClearLines();
  ChosenLevels chosen = ChooseLevels(choice, grid.MinValue, grid.MaxValue, nLevel);
  const std::vector<long double>& levels = chosen.levels;
  ChainScratch scratch;
  for (std::size_t k = 0; k < levels.size(); ++k) {
    std::int32_t stage = 0;
    try {
      CrossingPool pool;
      GatherCrossings(grid, levels[k], pool, stage);
      ChainCrossings(pool, grid, store, scratch);
    } catch (const std::exception& error) {
      ui.ShowMessage("it=" + std::to_string(stage) + " il=" + std::to_string(k) + " " + MessageOf(error));
    }
    store.TagNewPolylines(levels[k]);  // those stored before a failure too
  }
  ui.RestoreCursor();
  return chosen;
}

}  // namespace orbisk
