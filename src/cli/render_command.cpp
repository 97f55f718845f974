// orbisk-cli render: the whole road without a window. A grid from a formula or
// a Cyl Data file is scanned and traced, a Polar Data file fills the contour
// store directly; the picture is drawn with the default plot settings and
// saved as BMP, PNG or SVG by the output's extension.

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>
#include <cstdlib>
#include <memory>
#include <optional>

#include "app/default_handler.h"
#include "cli/commands.h"
#include "cli/console_ui.h"
#include "cli/sample_options.h"
#include "contour/compute_contours.h"
#include "contour/draw_picture.h"
#include "platform/error.h"
#include "polar_data/polar_data_file.h"
#include "polar_data/sampling.h"
#include "qt/qt_bitmap.h"

namespace orbisk::cli {

namespace {

// The largest picture side accepted: 16384 x 16384 is 1 GiB of pixels.
constexpr int kMaxSide = 16384;
constexpr int kMaxLevels = 10000;

struct RenderOptions {
  FunctionRecord record;
  bool sampleOptionGiven = false;
  std::optional<std::string> cylFile;
  std::optional<std::string> polarFile;
  std::int32_t levels = PlotSettings{}.Contour_NLevel;
  int width = 500;
  int height = 500;
  std::string output;
};

int ParseInt(const std::string& option, const std::string& text, int low, int high) {
  std::size_t used = 0;
  long value = 0;
  try {
    value = std::stol(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != text.size() || value < low || value > high) {
    throw InputError(option + " needs an integer from " + std::to_string(low) + " to " + std::to_string(high) +
                     ", not '" + text + "'");
  }
  return static_cast<int>(value);
}

RenderOptions ParseOptions(const Args& args) {
  RenderOptions o;
  for (std::size_t i = 0; i < args.size();) {
    if (ConsumeSampleOption(args, i, o.record)) {
      o.sampleOptionGiven = true;
      continue;
    }
    const std::string& name = args[i];
    if (i + 1 >= args.size()) throw InputError("unexpected argument '" + name + "'");
    const std::string& value = args[i + 1];
    if (name == "--cyl") {
      o.cylFile = value;
    } else if (name == "--polar") {
      o.polarFile = value;
    } else if (name == "--levels") {
      o.levels = ParseInt(name, value, 0, kMaxLevels);
    } else if (name == "--width") {
      o.width = ParseInt(name, value, 1, kMaxSide);
    } else if (name == "--height") {
      o.height = ParseInt(name, value, 1, kMaxSide);
    } else if (name == "-o") {
      o.output = value;
    } else {
      throw InputError("unexpected argument '" + name + "'");
    }
    i += 2;
  }
  if (int(o.cylFile.has_value()) + int(o.polarFile.has_value()) + int(o.sampleOptionGiven) > 1) {
    throw InputError("--cyl, --polar and the formula options exclude each other");
  }
  if (o.output.empty()) throw InputError("missing -o OUT");
  return o;
}

// Fonts need a Qt application; without a display it runs on the offscreen
// platform.
void EnsureGuiApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if ((display == nullptr || *display == '\0') && (wayland == nullptr || *wayland == '\0')) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }
  static int argc = 1;
  static char name[] = "orbisk-cli";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
}

// The locale's decimal separator when it is one ASCII character, else '.'.
char LocaleDecimalSeparator() {
  QString point = QLocale::system().decimalPoint();
  if (point.size() == 1 && point[0].unicode() < 0x80) return static_cast<char>(point[0].unicode());
  return '.';
}

// Fills grid and store as the chosen source says. Returns false when the
// formula or domain was refused (the message is already on err).
bool LoadContours(const RenderOptions& o, PolarGrid& grid, ContourStore& store, Ui& ui, std::ostream& err) {
  if (o.polarFile) {
    ReadPolarDataFile(*o.polarFile, store, grid);
    return true;
  }
  if (!FillGrid(o.cylFile, o.record, grid, ui, err)) return false;
  ScanGrid(grid);
  ComputeContours(grid, o.levels, store, ui);
  return true;
}

}  // namespace

int RunRender(const Args& args, std::ostream& /*out*/, std::ostream& err) {
  RenderOptions options;
  try {
    options = ParseOptions(args);
  } catch (const Error& e) {
    err << "orbisk-cli render: " << e.what() << "\n";
    return 64;
  }

  try {
    EnsureGuiApplication();
    auto grid = std::make_unique<PolarGrid>();
    ContourStore store;
    ConsoleUi ui(err);
    if (!LoadContours(options, *grid, store, ui, err)) return 1;
    PlotSettings settings;
    settings.Contour_NLevel = options.levels;
    FontSpec labelFont;
    labelFont.name = settings.Label_FontName;
    labelFont.size = settings.Label_FontSize;
    QtBitmap picture(options.width, options.height);
    DrawPicture(*grid, store, settings, labelFont, picture.GetCanvas(), picture.Width(), picture.Height(),
                LocaleDecimalSeparator());
    picture.SaveToFile(options.output);
  } catch (const Error& e) {
    err << DefaultHandlerText(e.what()) << "\n";
    return 1;
  }
  return 0;
}

}  // namespace orbisk::cli
