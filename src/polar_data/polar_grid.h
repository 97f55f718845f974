#pragma once
// The polar grid: NFi x NR samples of a function over an annulus sector.
// Row index i is the angle index, column index j the radius index.

#include <array>
#include <cstdint>

namespace orbisk {

// Room of the value array in each direction; only 0..NFi-1 x 0..NR-1 is used.
inline constexpr int kGridRoom = 258;
// The counts that sampling and the rest of the program accept.
inline constexpr std::int32_t kMinPoints = 2;
inline constexpr std::int32_t kMaxPoints = 256;

struct PolarGrid {
  std::int32_t NFi = 0;                                           // points along the arc
  std::int32_t NR = 0;                                            // points along the radius
  long double FiStart = 0;                                        // angle of row 0, radians
  long double FiEnd = 0;                                          // angle of row NFi-1; may be below FiStart
  long double RInt = 0;                                           // radius of column 0
  long double RExt = 0;                                           // radius of column NR-1
  long double StepFi = 0;                                         // (FiEnd - FiStart) / (NFi - 1)
  long double StepR = 0;                                          // (RExt - RInt) / (NR - 1)
  std::array<std::array<double, kGridRoom>, kGridRoom> Values{};  // [i][j]
  long double MinValue = 0;                                       // set by ScanGrid
  long double MaxValue = 0;                                       // set by ScanGrid
};

}  // namespace orbisk
