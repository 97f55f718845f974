#pragma once
// The Cyl Data file: NFi, FiStart, FiEnd, NR, RInt, RExt and NFi x NR values
// row by row, as numeric tokens.
//
// The main window's LoadCylData is: DataKind = 1; ReadCylDataFile's open step
// (errors propagate); hourglass + pending events; then, guarded, the read,
// ScanGrid, ComputeContours, DrawPicture with any error shown as a message;
// default cursor.

#include <string>
#include <string_view>

#include "polar_data/polar_grid.h"

namespace orbisk {

// Reads a Cyl Data file's tokens into grid, storing each field and value as
// soon as it is read, so a failed read leaves what was read. Raises
// InputError "Invalid numeric input" for a bad token (in the header after all
// six fields are stored), InputError naming the count when NFi or NR lies
// outside 2..256 (before any value is read), MathError when a value does not
// fit a double. Missing tokens at the end read as 0.
void ReadCylData(std::string_view bytes, PolarGrid& grid);

// ReadDataFile (its FileError propagates) then ReadCylData.
void ReadCylDataFile(const std::string& path, PolarGrid& grid);

// The saved file's bytes: two header lines and NFi row lines, each ended by
// CR LF, reals in the 15-digit general format, a blank after every value.
std::string FormatCylData(const PolarGrid& grid);

// Writes FormatCylData(grid) to path atomically; FileError propagates and the
// previous file is then untouched.
void SaveCylData(const std::string& path, const PolarGrid& grid);

}  // namespace orbisk
