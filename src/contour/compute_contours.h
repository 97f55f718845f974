#pragma once
// Contour tracing of the polar grid: picks the levels, gathers each level's
// edge crossings and chains them into the polylines of the contour store.

#include <cstdint>

#include "contour/contour_levels.h"
#include "platform/thread_pool.h"
#include "platform/ui.h"
#include "polar_data/polar_grid.h"
#include "store/contour_store.h"

namespace orbisk {

// Shows the hourglass and processes pending events once, empties the store,
// then traces nLevel levels in increasing order and restores the default
// cursor. A failure inside one level is shown through ui.ShowMessage as
// "it=<stage> il=<level> <message>" and tracing goes on, except after running
// out of memory ("Out of memory"), which ends the tracing. A failure of the
// level selection (nLevel = 0) raises a MathError, and levels whose polylines
// may need more memory than the process can still take raise Error "Not
// enough memory for N contour levels: ..." before any is traced; both after
// the store was emptied, leaving the hourglass on. Every stored polyline gets
// its level in store.Levels (all of them unless tracing ran out of memory).
// extraBytesPerPoint is what the caller will need besides the store for each
// traced point (the text of a file it writes), counted in that check. The
// levels are traced on the pool's threads, each on its own; the store, the
// messages and their order are those of tracing them one after another.
void ComputeContours(const PolarGrid& grid, std::int32_t nLevel, ContourStore& store, Ui& ui,
                     std::uint64_t extraBytesPerPoint = 0, ThreadPool& pool = SharedThreadPool());

// The same with the levels of choice (ChooseLevels over the grid's MinValue
// and MaxValue); an unusable choice raises InputError where nLevel = 0 raises.
// Returns the levels traced and how many chosen ones were left out, for
// LevelsOutsideMessage.
ChosenLevels ComputeContours(const PolarGrid& grid, const LevelChoice& choice, std::int32_t nLevel, ContourStore& store,
                             Ui& ui, std::uint64_t extraBytesPerPoint = 0, ThreadPool& pool = SharedThreadPool());

}  // namespace orbisk
