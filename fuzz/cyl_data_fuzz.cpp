// Cyl Data files: any bytes are read into the grid, then scanned, traced and
// drawn as the main window does after a load (and after a ReDraw of a grid
// that a failed load left half-read). Only the program's own errors may
// escape. Tracing a large grid takes long (a flat 256 x 256 grid crosses every
// level on every edge), so grids beyond kMaxTracedCells are read, scanned and
// drawn but not traced: the fuzzer stays fast and small grids reach every
// branch of the tracer.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "contour/compute_contours.h"
#include "contour/draw_picture.h"
#include "fuzz_support.h"
#include "platform/error.h"
#include "polar_data/cyl_data_file.h"
#include "polar_data/sampling.h"

namespace {
constexpr long long kMaxTracedCells = 1024;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbisk;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // One grid for the whole run, cleared for each input: allocating ~530 KB
  // afresh each time would cost more than the reading.
  static const auto blank = std::make_unique<PolarGrid>();
  static const auto grid = std::make_unique<PolarGrid>();
  *grid = *blank;
  ContourStore store;
  SilentUi ui;
  PlotSettings settings;

  try {
    ReadCylData(bytes, *grid);
  } catch (const Error&) {
  }
  try {
    ScanGrid(*grid);
    if (static_cast<long long>(grid->NFi) * grid->NR <= kMaxTracedCells) {
      ComputeContours(*grid, settings.Contour_NLevel, store, ui);
    }
    testing::RecordingCanvas canvas;
    DrawPicture(*grid, store, settings, FontSpec{}, canvas, 500, 500, '.');
  } catch (const Error&) {
  }
  return 0;
}
