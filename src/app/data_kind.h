#pragma once
// What the main window's picture was made from; ReDraw dispatches on it.

#include <cstdint>

namespace orbisk {

enum DataKind : std::int32_t {
  kDataNothing = 0,    // nothing yet
  kDataCylFile = 1,    // a Cyl Data file was loaded
  kDataPolarFile = 2,  // a Polar Data file was loaded
  kDataTraced = 3,     // contours were traced from the grid
};

}  // namespace orbisk
