// orbisk-cli render: the whole road without a window. A grid from a formula or
// a Cyl Data file is scanned and traced, a Polar Data file fills the contour
// store directly; the picture is drawn with the default plot settings (and
// the level display the options ask for) and saved as BMP, PNG, SVG or PDF by
// the output's extension.

#include <QGuiApplication>
#include <QLocale>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "cli/commands.h"
#include "cli/console_ui.h"
#include "cli/sample_options.h"
#include "contour/compute_contours.h"
#include "contour/draw_picture.h"
#include "platform/heap_pages.h"
#include "polar_data/polar_data_file.h"
#include "polar_data/sampling.h"
#include "qt/picture_formats.h"
#include "qt/qt_bitmap.h"
#include "qt/qt_fonts.h"

namespace orbisk::cli {

namespace {

// The largest picture side accepted: 16384 x 16384 is 1 GiB of pixels.
constexpr int kMaxSide = 16384;

// The lower-case extension of the file name in path, with its dot; empty for
// none.
std::string ExtensionOf(const std::string& path) {
  std::string name = path.substr(path.find_last_of('/') + 1);
  std::string::size_type dot = name.find_last_of('.');
  if (dot == std::string::npos || dot == 0) return "";
  std::string ext = name.substr(dot);
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ext;
}

// The output's format is chosen by its extension; one that is not written
// is refused before any work, rather than written as a BMP under that name.
void CheckPictureName(const std::string& output) {
  const std::string ext = ExtensionOf(output);
  if (ext.empty() || ext == ".bmp" || ext == ".png" || ext == ".svg" || ext == ".pdf") return;
  throw UsageError("cannot write '" + EscapeControlBytes(output) +
                   "': only .bmp, .png, .svg and .pdf pictures are written (a name without extension or - gives a "
                   "BMP)");
}

// Drops Qt's own diagnostics: a successful run prints nothing.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtFatalMsg) std::fputs(text.toLocal8Bit().constData(), stderr);
}

// The program's own plugin folder, which holds (a link to) the offscreen
// platform plugin alone: beside the program in the build tree, under the
// library folder once installed. Qt reads the metadata of every plugin in the
// folders it searches before it loads one; here it reads one. Empty when
// neither holds the plugin (Qt then searches its own folders).
QString OwnPluginFolder() {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) return {};
  for (const fs::path& folder :
       {program.parent_path() / "qt-plugins", program.parent_path() / ORBISK_CLI_PLUGINS_FROM_BIN}) {
    if (fs::exists(folder / "platforms" / ORBISK_OFFSCREEN_PLUGIN, error)) {
      return QString::fromStdString(folder.lexically_normal().string());
    }
  }
  return {};
}

// Fonts need a Qt application; a batch renderer never needs a display, so it
// always runs on the offscreen platform. Qt starts on this thread while `work`
// (the data and the white picture, which need no application) runs on
// another, and the label font is looked up before work's failure, if any, is
// raised here.
void RunBesideGuiStart(const std::function<void()>& work, const FontSpec& labelFont) {
  if (QCoreApplication::instance() != nullptr) return work();
  setenv("QT_QPA_PLATFORM", "offscreen", 1);  // before another thread may read the environment
  if (const QString plugins = OwnPluginFolder(); !plugins.isEmpty()) QCoreApplication::setLibraryPaths({plugins});
  qInstallMessageHandler(QuietQtMessages);
  std::exception_ptr failure;
  std::jthread worker([&] {
    PreferHugePagesInThisThread();
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
  });
  static int argc = 1;
  static char name[] = "orbisk-cli";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
  PrepareFont(labelFont);
  worker.join();
  if (failure) std::rethrow_exception(failure);
}

// The locale's decimal separator when it is one ASCII character, else '.'.
char LocaleDecimalSeparator() {
  QString point = QLocale::system().decimalPoint();
  if (point.size() == 1 && point[0].unicode() < 0x80) return static_cast<char>(point[0].unicode());
  return '.';
}

}  // namespace

int RunRender(const ParsedArgs& args, std::ostream& /*out*/, std::ostream& err) {
  const FunctionRecord record = RecordFrom(args);
  const std::optional<std::string> cylFile = args.Text("--cyl");
  const std::optional<std::string> polarFile = args.Text("--polar");
  if (int(cylFile.has_value()) + int(polarFile.has_value()) + int(HasSampleOption(args)) > 1) {
    throw UsageError("--cyl, --polar and the formula options exclude each other");
  }
  const TraceLevels levels = LevelsFrom(args);
  const LevelDisplay display{args.Has("--level-colours"), args.Has("--legend"), args.Has("--line-labels"), ".4g"};
  const int width = args.Integer("--width", 1, kMaxSide, 500);
  const int height = args.Integer("--height", 1, kMaxSide, 500);
  const std::string output = OutputFrom(args);
  CheckPictureName(output);

  PlotSettings settings;
  settings.Contour_NLevel = levels.count;
  FontSpec labelFont;
  labelFont.name = settings.Label_FontName;
  labelFont.size = settings.Label_FontSize;
  auto grid = std::make_unique<PolarGrid>();
  ContourStore store;
  ConsoleUi ui(err);
  bool failed = false;
  // Allocated here, on the heap of huge pages, and filled by the other
  // thread.
  QImage white = QtCanvas::BlankImage(width, height);
  StorePositions positions;
  RunBesideGuiStart(
      [&] {
        if (polarFile) {
          ReadPolarDataFile(*polarFile, store, *grid);
        } else {
          if (!FillGrid(cylFile, record, *grid, ui, err)) return void(failed = true);
          ScanGrid(*grid);
          const int shownBefore = ui.Shown();
          const ChosenLevels chosen = ComputeContours(*grid, levels.choice, levels.count, store, ui);
          failed = ui.Shown() > shownBefore;  // a failed level: as trace, nothing is written
          if (failed) return;
          ReportLevelsOutside(chosen, *grid, err);
        }
        // What drawing needs that needs no application: the white picture
        // (its pages touched here) and the points' positions (a sine and a
        // cosine each).
        white.fill(Qt::white);
        positions = PositionsOf(store);
      },
      labelFont);
  if (failed) return 1;
  QtBitmap picture(std::move(white));
  if (!PictureFormatOf(QString::fromStdString(output)).replayed) picture.KeepPixelsOnly();
  DrawPicture(*grid, store, settings, labelFont, picture.GetCanvas(), picture.Width(), picture.Height(),
              LocaleDecimalSeparator(), display, &positions);
  picture.SaveToFile(output);
  return 0;
}

}  // namespace orbisk::cli
