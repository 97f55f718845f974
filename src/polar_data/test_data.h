#pragma once
// The two test-data generators of the Tools menu: a Cyl Data file of a fixed
// test function on a 100 x 100 domain, and a Polar Data file of three spirals.
// Both files are written atomically (temporary file renamed over the target).

#include <string>

#include "platform/ui.h"
#include "polar_data/polar_grid.h"
#include "store/contour_store.h"

namespace orbisk {

// The 3d test file's bytes (no line end after the last line).
std::string FormatTest3dData();
// The polar test file's bytes (157 lines, each ended by CR LF); fills store
// (3 polylines of 51 points) as a side effect.
std::string FormatTestPolarData(ContourStore& store);

// Writes the 3d test file and sets NFi, NR, FiStart, FiEnd, RInt, RExt of grid
// to the test domain (values, steps and extremes untouched). A file that
// cannot be created raises FileError with grid unchanged; an output error
// (full disk) is shown with ui.ShowMessage, the old file stays.
void Generate3dData(const std::string& path, PolarGrid& grid, Ui& ui);

// Empties store and fills it with the three test polylines, sets RInt = 3 and
// RExt = 20, writes the polar test file. Errors as for Generate3dData.
void GeneratePolarData(const std::string& path, ContourStore& store, PolarGrid& grid, Ui& ui);

}  // namespace orbisk
