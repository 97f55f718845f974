// The SVG and PDF pictures opened by standard renderers (rsvg-convert,
// pdftoppm) at 1:1 must show what the raster picture shows: every inked pixel
// of one has ink within a pixel in the other, but for antialiased edges of
// text. Skipped where the renderers are not installed.

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

#include "contour/compute_contours.h"
#include "contour/draw_picture.h"
#include "formula/formula_engine.h"
#include "platform/silent_ui.h"
#include "polar_data/sampling.h"
#include "qt/qt_bitmap.h"
#include "qt_test_app.h"
#include "support/temp_dir.h"

namespace orbisk {
namespace {

bool Installed(const std::string& tool) {
  return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// Ink: a pixel that is clearly not white, whatever its colour.
bool Inked(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return std::min({qRed(p), qGreen(p), qBlue(p)}) < 200;
}

bool InkNear(const QImage& image, int x, int y) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const int px = x + dx, py = y + dy;
      if (px >= 0 && py >= 0 && px < image.width() && py < image.height() && Inked(image, px, py)) return true;
    }
  }
  return false;
}

// The share of the inked pixels of a that have no ink within a pixel in b.
double StrayInk(const QImage& a, const QImage& b) {
  int inked = 0, stray = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (!Inked(a, x, y)) continue;
      ++inked;
      stray += !InkNear(b, x, y);
    }
  }
  return inked == 0 ? 0 : double(stray) / inked;
}

struct Map {
  std::unique_ptr<PolarGrid> grid = std::make_unique<PolarGrid>();
  ContourStore store;

  Map() {
    FunctionRecord record;
    record.SNFi = "60";
    record.SNR = "40";
    FormulaEngine engine;
    SilentUi ui;
    SampleFormula(record, *grid, engine, ui);
    ScanGrid(*grid);
    ComputeContours(*grid, 9, store, ui);
  }
};

TEST(VectorPictures, RenderAsTheRasterAtOneToOne) {
  orbisk::testing::EnsureQtApp();
  const struct {
    const char* name;
    const char* extension;
    const char* tool;
    const char* command;  // %IN, %OUT
    LevelDisplay display;
    int width, height;
  } cases[] = {
      {"svg plain", ".svg", "rsvg-convert", "rsvg-convert -o OUT.png IN", {}, 500, 500},
      {"pdf plain", ".pdf", "pdftoppm", "pdftoppm -r 96 -png -singlefile IN OUT", {}, 500, 500},
      {"svg wide, all on", ".svg", "rsvg-convert", "rsvg-convert -o OUT.png IN", {true, true, true, ".3g"}, 640, 400},
      {"pdf wide, all on",
       ".pdf",
       "pdftoppm",
       "pdftoppm -r 96 -png -singlefile IN OUT",
       {true, true, true, ".3g"},
       640,
       400},
  };
  Map map;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (!Installed(c.tool)) GTEST_SKIP() << c.tool << " is not installed";
    orbisk::testing::TempDir dir;
    QtBitmap bitmap(c.width, c.height);
    DrawPicture(*map.grid, map.store, PlotSettings{}, FontSpec{}, bitmap.GetCanvas(), c.width, c.height, '.',
                c.display);
    const std::string in = dir.File(std::string("map") + c.extension);
    const std::string out = dir.File("rendered");
    bitmap.SaveToFile(in);
    std::string command = c.command;
    command.replace(command.find("OUT"), 3, out);
    command.replace(command.find("IN"), 2, in);
    ASSERT_EQ(std::system((command + " 2>/dev/null").c_str()), 0) << command;
    const QImage rendered = QImage(QString::fromStdString(out + ".png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(rendered.size(), QSize(c.width, c.height));
    const QImage& raster = bitmap.Image();
    EXPECT_LT(StrayInk(raster, rendered), 0.01);
    EXPECT_LT(StrayInk(rendered, raster), 0.01);
  }
}

TEST(VectorPictures, ShapesKeepTheirFractionAndTextStaysText) {
  orbisk::testing::EnsureQtApp();
  auto grid = std::make_unique<PolarGrid>();
  grid->RInt = 1;
  grid->RExt = 2;
  ContourStore store;  // a line from pixel (250, 250) to (310.75, 250)
  store.LinesFi.Add(std::make_unique<TListExt>());
  store.LinesR.Add(std::make_unique<TListExt>());
  for (long double r : {0.0L, 0.50625L}) {
    store.LinesFi.Get(0)->Add(0);
    store.LinesR.Get(0)->Add(r);
  }
  QtBitmap bitmap(500, 500);
  DrawPicture(*grid, store, PlotSettings{}, FontSpec{}, bitmap.GetCanvas(), 500, 500, '.');
  const std::string svg = bitmap.SvgBytes();
  // A 1-pixel pen covers the pixel right of and below its line on the raster:
  // the vector line lies half a pixel further.
  EXPECT_NE(svg.find(R"(points="250.5,250.5 311.25,250.5 ")"), std::string::npos);
  EXPECT_NE(svg.find(R"(<svg width="500" height="500")"), std::string::npos);
  EXPECT_NE(svg.find(">a/b=0.5</text>"), std::string::npos);

  if (!Installed("pdftotext")) GTEST_SKIP() << "pdftotext is not installed";
  orbisk::testing::TempDir dir;
  bitmap.SaveToFile(dir.File("map.pdf"));
  const std::string command = "pdftotext " + dir.File("map.pdf") + " " + dir.File("map.txt");
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_NE(orbisk::testing::ReadFile(dir.File("map.txt")).find("a/b=0.5"), std::string::npos);
}

}  // namespace
}  // namespace orbisk
