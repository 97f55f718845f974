#pragma once
// Filling the polar grid from the function record's formula, and the grid
// statistics that every later step (tracing, drawing) relies on.

#include "formula/formula_engine.h"
#include "platform/thread_pool.h"
#include "platform/ui.h"
#include "polar_data/function_record.h"
#include "polar_data/grid_counts.h"
#include "polar_data/polar_grid.h"

namespace orbisk {

// Evaluates the bound texts (FiStart, FiEnd, RInt, RExt, NFi, NR, in that
// order), compiles SFCyl once and evaluates it at every grid point, angle row
// by angle row; a point whose evaluation fails gets ErrorValue. Shows the
// hourglass and lets pending events through once at the start, shows at most
// one "%4d count errors" message (the number of failing points) and restores
// the cursor at the end, also when a bound text raises. Counts outside 2..256
// raise InputError before any cell is written. MinValue/MaxValue are left alone.
// Point (i, j) lies at x = r_j cos fi_i, y = r_j sin fi_i, each product formed
// in extended precision and rounded to double. The rows are spread over the
// pool's threads, each with its own copy of the engine once it has compiled
// the formula (so its clock is read from several threads); the grid and the
// message are those of one thread.
void SampleFormula(const FunctionRecord& record, PolarGrid& grid, FormulaEngine& engine, Ui& ui,
                   ThreadPool& pool = SharedThreadPool());

// Recomputes StepR and StepFi and sets MinValue/MaxValue over the used cells.
// Raises InputError (see CheckGridCounts) when the counts do not fit the grid,
// e.g. after a failed load left NFi = 300 in place.
void ScanGrid(PolarGrid& grid);

}  // namespace orbisk
