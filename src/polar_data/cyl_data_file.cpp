#include "polar_data/cyl_data_file.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/atomic_file.h"
#include "platform/checked_math.h"
#include "platform/error.h"
#include "polar_data/file_input.h"
#include "polar_data/grid_counts.h"
#include "polar_data/number_format.h"
#include "polar_data/token_reader.h"

namespace orbisk {

void ReadCylData(std::string_view bytes, PolarGrid& grid) {
  TokenReader in(bytes);
  grid.NFi = in.ReadInteger();
  grid.FiStart = in.ReadReal();
  grid.FiEnd = in.ReadReal();
  grid.NR = in.ReadInteger();
  grid.RInt = in.ReadReal();
  grid.RExt = in.ReadReal();
  in.Check();
  // The value array has room for 256 x 256 used cells; a larger count must
  // not write past it, and a smaller one leaves no grid to trace.
  CheckGridCounts(grid);

  for (std::int32_t i = 0; i < grid.NFi; ++i) {
    auto& row = grid.Values[static_cast<std::size_t>(i)];
    for (std::int32_t j = 0; j < grid.NR; ++j) {
      long double value = in.ReadReal();
      in.Check();
      row[static_cast<std::size_t>(j)] = checked::ToDouble(value);
    }
  }
}

void ReadCylDataFile(const std::string& path, PolarGrid& grid) {
  ReadCylData(ReadDataFile(path, kCylDataFormat), grid);
}

std::string FormatCylData(const PolarGrid& grid) {
  std::string out;
  out.reserve(64 +
              static_cast<std::size_t>(std::max(grid.NFi, 0)) * static_cast<std::size_t>(std::max(grid.NR, 0)) * 22);
  out += std::to_string(grid.NFi) + " " + FormatGeneral(grid.FiStart) + " " + FormatGeneral(grid.FiEnd) + "\r\n";
  out += std::to_string(grid.NR) + " " + FormatGeneral(grid.RInt) + " " + FormatGeneral(grid.RExt) + "\r\n";
  // Counts that do not fit the value array (a failed load can leave them)
  // write no more rows and columns than the array holds.
  std::int32_t rows = std::min(grid.NFi, kGridRoom);
  std::int32_t columns = std::min(grid.NR, kGridRoom);
  for (std::int32_t i = 0; i < rows; ++i) {
    const auto& row = grid.Values[static_cast<std::size_t>(i)];
    for (std::int32_t j = 0; j < columns; ++j) {
      out += FormatGeneral(row[static_cast<std::size_t>(j)]);
      out += ' ';
    }
    out += "\r\n";
  }
  return out;
}

void SaveCylData(const std::string& path, const PolarGrid& grid) { WriteFileAtomically(path, FormatCylData(grid)); }

}  // namespace orbisk
