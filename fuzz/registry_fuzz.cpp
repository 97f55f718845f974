// The settings file: any bytes are stored as the registry file, opened by the
// file registry and loaded by LoadSettings; the loaded level choice picks
// levels over 0..1, and the loaded settings then draw a small picture of a
// line that knows its level, as the first ReDraw would. Nothing may escape
// but the program's own errors.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/settings_store.h"
#include "contour/contour_levels.h"
#include "contour/draw_picture.h"
#include "fuzz_support.h"
#include "platform/error.h"
#include "platform/file_registry.h"

namespace {

// One file per fuzzing process, in the fastest temporary folder there is,
// removed when the process ends.
struct ScratchFile {
  ScratchFile() {
    std::filesystem::path folder = std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                                             : std::filesystem::temp_directory_path();
    path = (folder / ("orbisk-registry-fuzz-" + std::to_string(::getpid()) + ".reg")).string();
  }
  ~ScratchFile() { std::remove(path.c_str()); }
  std::string path;
};

const std::string& RegistryPath() {
  static const ScratchFile file;
  return file.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbisk;
  const std::string& path = RegistryPath();
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  } else {
    return 0;
  }

  FileRegistry registry(path);
  Settings settings;
  fuzz::NullBitmap picture;
  FontSpec labelFont;
  LoadSettings(registry, settings, picture, labelFont);

  auto grid = std::make_unique<PolarGrid>();
  grid->RInt = 1;
  grid->RExt = 2;
  ContourStore store;
  auto fi = std::make_unique<TListExt>();
  auto r = std::make_unique<TListExt>();
  for (int k = 0; k < 3; ++k) {
    fi->Add(k * 0.5L);
    r->Add(1 + k * 0.4L);
  }
  store.LinesFi.Add(std::move(fi));
  store.LinesR.Add(std::move(r));
  store.TagNewPolylines(0.5L);
  try {
    ChooseLevels(settings.levelChoice, 0, 1, settings.plot.Contour_NLevel);
  } catch (const Error&) {
  }
  try {
    DrawPicture(*grid, store, settings.plot, labelFont, picture.canvas, picture.width, picture.height, '.',
                settings.levelDisplay);
  } catch (const Error&) {
  }
  return 0;
}
