#pragma once
// The Polar Data file: n, RInt, RExt, then per polyline its point count m and
// m (angle, radius) pairs, as numeric tokens.
//
// The main window's LoadPolarData is: DataKind = 2; ReadPolarDataFile (its
// FileError propagates; the store is emptied first); then DrawPicture; a
// ReadPolarData error is shown as a message by the caller.

#include <string>
#include <string_view>

#include "polar_data/polar_grid.h"
#include "store/contour_store.h"

namespace orbisk {

// Reads polylines into store (which the caller has emptied) and the radii
// into grid.RInt/RExt as it goes. Raises InputError "Invalid numeric input",
// ListError "List count out of bounds (%d)" for a negative count, InputError
// for a count larger than the rest of the file can hold, ListError when
// memory runs out. On failure the store keeps n entries, the later ones
// possibly without lists. Missing tokens at the end read as 0.
void ReadPolarData(std::string_view bytes, ContourStore& store, PolarGrid& grid);

// store.ClearLines(), then ReadDataFile (its FileError propagates), then
// ReadPolarData.
void ReadPolarDataFile(const std::string& path, ContourStore& store, PolarGrid& grid);

}  // namespace orbisk
