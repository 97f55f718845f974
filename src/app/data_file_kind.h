#pragma once
// Telling the two data file formats apart by their numbers, for a file that is
// opened without saying which it is (a file named on the command line).

#include <string_view>

namespace orbisk {

enum class DataFileKind { CylData, PolarData };

// CylData when the numbers make a Cyl Data file exactly (NFi and NR in 2..256,
// then exactly NFi x NR values), else PolarData when they make a Polar Data
// file exactly (n, then n polylines of a count m and 2m numbers each). A file
// that is neither is taken as Cyl Data when its header could begin one, else
// as Polar Data; its reader then reports what is wrong.
DataFileKind GuessDataFileKind(std::string_view bytes);

}  // namespace orbisk
