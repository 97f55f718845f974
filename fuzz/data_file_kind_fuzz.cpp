// Files named on the command line: any bytes are told apart as Cyl Data or
// Polar Data by their numbers, and both readers accept what that says. Nothing
// may crash, and only the program's own errors may escape.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "app/data_file_kind.h"
#include "platform/error.h"
#include "polar_data/cyl_data_file.h"
#include "polar_data/polar_data_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbisk;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  static const auto grid = std::make_unique<PolarGrid>();
  try {
    if (GuessDataFileKind(bytes) == DataFileKind::PolarData) {
      ContourStore store;
      ReadPolarData(bytes, store, *grid);
    } else {
      ReadCylData(bytes, *grid);
    }
  } catch (const Error&) {
  }
  return 0;
}
