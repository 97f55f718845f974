// Polar Data files: any bytes are read into the contour store and drawn, as
// File > Load > Polar Data does. Only the program's own errors may escape.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "contour/draw_picture.h"
#include "fuzz_support.h"
#include "platform/error.h"
#include "polar_data/polar_data_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbisk;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // One grid for the whole run, cleared for each input: allocating ~530 KB
  // afresh each time would cost more than the reading.
  static const auto blank = std::make_unique<PolarGrid>();
  static const auto grid = std::make_unique<PolarGrid>();
  *grid = *blank;
  ContourStore store;
  PlotSettings settings;

  try {
    ReadPolarData(bytes, store, *grid);
    testing::RecordingCanvas canvas;
    DrawPicture(*grid, store, settings, FontSpec{}, canvas, 500, 500, '.');
  } catch (const Error&) {
  }
  return 0;
}
