#include "qt/qt_bitmap.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <random>

#include "contour/draw_picture.h"
#include "platform/atomic_file.h"
#include "platform/error.h"
#include "qt/qt_fonts.h"
#include "qt/qt_paint_ops.h"
#include "qt_test_app.h"
#include "support/temp_dir.h"

namespace orbisk {
namespace {

bool IsWhite(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(255, 255, 255); }
bool IsDark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

std::uint32_t Le32(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

class QtBitmapTest : public ::testing::Test {
 protected:
  QtBitmapTest() : grid(std::make_unique<PolarGrid>()) {
    orbisk::testing::EnsureQtApp();
    grid->RInt = 1;
    grid->RExt = 2;
  }

  // Draws the picture with a diagonal contour line from (-1, -1) to (1, 1).
  void Draw(QtBitmap& bitmap) {
    ContourStore store;
    auto angles = std::make_unique<TListExt>();
    auto radii = std::make_unique<TListExt>();
    angles->Add(-2.35619449019234492885L);
    radii->Add(1.41421356237309504880L);
    angles->Add(0.78539816339744830962L);
    radii->Add(1.41421356237309504880L);
    store.LinesFi.Add(std::move(angles));
    store.LinesR.Add(std::move(radii));
    DrawPicture(*grid, store, settings, FontSpec{}, bitmap.GetCanvas(), bitmap.Width(), bitmap.Height(), '.');
  }

  std::unique_ptr<PolarGrid> grid;
  PlotSettings settings;
  orbisk::testing::TempDir dir;
};

TEST_F(QtBitmapTest, ExternalCircleSpansPixels10To490) {
  settings.XY_Present = settings.IntCircle_Present = false;
  settings.Function_Present = settings.Label_Present = false;
  QtBitmap bitmap(500, 500);
  Draw(bitmap);
  const QImage& image = bitmap.Image();
  for (auto [x, y] : {std::pair{10, 250}, {490, 250}, {250, 10}, {250, 490}}) {
    EXPECT_TRUE(IsDark(image, x, y)) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{7, 250}, {493, 250}, {250, 7}, {250, 493}, {250, 250}}) {
    EXPECT_TRUE(IsWhite(image, x, y)) << x << "," << y;
  }
}

TEST_F(QtBitmapTest, AxesAndLabelOnTheRaster) {
  QtBitmap bitmap(500, 500);
  Draw(bitmap);
  const QImage& image = bitmap.Image();
  EXPECT_TRUE(IsDark(image, 0, 250));
  EXPECT_TRUE(IsDark(image, 499, 250));
  EXPECT_TRUE(IsDark(image, 250, 0));
  EXPECT_TRUE(IsDark(image, 250, 499));
  EXPECT_TRUE(IsDark(image, 370, 130));  // on the contour line at (1, 1)
  int inked = 0;                         // the label "a/b=0.5" at the top right
  for (int y = 5; y < 25; ++y) {
    for (int x = 400; x < 490; ++x) inked += IsDark(image, x, y);
  }
  EXPECT_GT(inked, 20);
}

TEST_F(QtBitmapTest, WhitenessWhitensEveryPixel) {
  QtBitmap bitmap(120, 80);
  Draw(bitmap);
  bitmap.Whiteness();
  const QImage& image = bitmap.Image();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) ASSERT_TRUE(IsWhite(image, x, y)) << x << "," << y;
  }
}

TEST_F(QtBitmapTest, BmpFileHasExactHeadersAndReadsBack) {
  QtBitmap bitmap(301, 203);  // rows of 903 bytes, padded to 904
  Draw(bitmap);
  const std::string path = dir.File("map.BMP");
  bitmap.SaveToFile(path);
  const std::string bytes = orbisk::testing::ReadFile(path);
  ASSERT_EQ(bytes.size(), 54u + 904u * 203u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(Le32(bytes, 2), bytes.size());
  EXPECT_EQ(Le32(bytes, 10), 54u);
  EXPECT_EQ(Le32(bytes, 14), 40u);
  EXPECT_EQ(Le32(bytes, 18), 301u);
  EXPECT_EQ(Le32(bytes, 22), 203u);
  EXPECT_EQ(Le32(bytes, 26), 1u | 24u << 16);  // planes, bits per pixel
  EXPECT_EQ(Le32(bytes, 30), 0u);              // uncompressed

  QImage read(QString::fromStdString(path), "BMP");
  ASSERT_FALSE(read.isNull());
  EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), bitmap.Image());
}

TEST_F(QtBitmapTest, PngAndSvgShowTheSamePicture) {
  QtBitmap bitmap(500, 300);
  Draw(bitmap);
  bitmap.SaveToFile(dir.File("map.png"));
  QImage png(QString::fromStdString(dir.File("map.png")));
  EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), bitmap.Image());

  bitmap.SaveToFile(dir.File("map.svg"));
  QSvgRenderer renderer(QString::fromStdString(dir.File("map.svg")));
  ASSERT_TRUE(renderer.isValid());
  EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 500, 300));
  QImage svg(500, 300, QImage::Format_RGB32);
  svg.fill(Qt::gray);
  QPainter painter(&svg);
  renderer.render(&painter);
  painter.end();
  EXPECT_TRUE(IsWhite(svg, 100, 100));
  for (auto [x, y] : {std::pair{10, 150}, {490, 150}, {250, 10}, {250, 290}, {0, 150}}) {
    EXPECT_TRUE(IsDark(svg, x, y)) << x << "," << y;
  }
}

TEST_F(QtBitmapTest, FailedSaveKeepsThePreviousFile) {
  QtBitmap bitmap(50, 50);
  const std::string path = dir.File("kept.bmp");
  orbisk::testing::WriteFile(path, "previous");
  SetWriteFaultForTesting([](std::size_t) { return true; });  // a full disk
  EXPECT_THROW(bitmap.SaveToFile(path), FileError);
  SetWriteFaultForTesting({});
  EXPECT_TRUE(orbisk::testing::ReadFile(path) == "previous");

  const std::string missing = dir.File("no/such/folder/map.png");
  try {
    bitmap.SaveToFile(missing);
    ADD_FAILURE() << "no error";
  } catch (const FileError& e) {
    EXPECT_EQ(std::string(e.what()), "Не могу создать файл " + missing);
  }
}

TEST_F(QtBitmapTest, ResizeKeepsTheOldContentTopLeft) {
  QtBitmap bitmap(100, 100);
  Draw(bitmap);
  bitmap.SetHeight(150);
  bitmap.SetWidth(60);
  const QImage& image = bitmap.Image();
  EXPECT_EQ(image.size(), QSize(60, 150));
  EXPECT_TRUE(IsDark(image, 50, 0));     // the vertical axis stays
  EXPECT_TRUE(IsWhite(image, 20, 120));  // new rows are white
  bitmap.SetWidth(-5);
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.BmpBytes().size(), 54u);
}

// A batch job makes the white picture before the application is up (at a
// default resolution, here 72 dpi) and hands it over: the picture drawn on it
// is the one drawn on a made-white one, down to the PNG's resolution.
TEST_F(QtBitmapTest, AdoptedWhitePictureDrawsAsAMadeOne) {
  QImage white = QtCanvas::BlankImage(120, 90);
  white.fill(Qt::white);
  white.setDotsPerMeterX(2835);
  white.setDotsPerMeterY(2835);
  QtBitmap made(120, 90), adopted(std::move(white));
  EXPECT_EQ(adopted.Width(), 120);
  EXPECT_EQ(adopted.Height(), 90);
  Draw(made);
  Draw(adopted);
  EXPECT_EQ(adopted.Image(), made.Image());
  EXPECT_EQ(adopted.BmpBytes(), made.BmpBytes());
  EXPECT_EQ(adopted.PngBytes(), made.PngBytes());
  EXPECT_THROW(QtCanvas::BlankImage(16385, 16384), Error);
  EXPECT_TRUE(QtCanvas::BlankImage(-3, 5).isNull());
}

// A picture kept as pixels only draws as before, and a vector file of it is
// refused rather than written empty.
TEST_F(QtBitmapTest, PixelsOnlyPictureRefusesVectorFiles) {
  QtBitmap kept(80, 60), pixelsOnly(80, 60);
  pixelsOnly.KeepPixelsOnly();
  Draw(kept);
  Draw(pixelsOnly);
  EXPECT_EQ(pixelsOnly.PngBytes(), kept.PngBytes());
  EXPECT_THROW(pixelsOnly.SvgBytes(), Error);
  EXPECT_THROW(pixelsOnly.PdfBytes(), Error);
}

// The vector picture replays lines in their place among the other calls:
// each segment keeps the pen it was drawn with, and a move breaks the line.
TEST_F(QtBitmapTest, VectorPictureKeepsEachLineWithItsPen) {
  constexpr Color kRed = 0x0000FF, kBlue = 0xFF0000;  // 0x00BBGGRR
  QtBitmap bitmap(80, 60);
  Canvas& canvas = bitmap.GetCanvas();
  canvas.SetBrushColor(0xFFFFFF);
  canvas.FillRect(0, 0, 80, 60);
  canvas.SetPen(kRed, 3);
  canvas.MoveTo(10, 10);
  canvas.LineTo(70, 10);
  canvas.LineTo(70, 30);
  canvas.SetPen(kBlue, 3);
  canvas.LineTo(10, 30);
  canvas.MoveTo(10, 50);
  canvas.LineToExact(70, 50);
  QSvgRenderer renderer(QByteArray::fromStdString(bitmap.SvgBytes()));
  ASSERT_TRUE(renderer.isValid());
  QImage svg(80, 60, QImage::Format_RGB32);
  svg.fill(Qt::white);
  QPainter painter(&svg);
  renderer.render(&painter);
  painter.end();
  const struct {
    int x, y;
    QRgb colour;
  } expected[] = {{40, 10, qRgb(255, 0, 0)},
                  {70, 20, qRgb(255, 0, 0)},
                  {40, 30, qRgb(0, 0, 255)},
                  {40, 50, qRgb(0, 0, 255)},
                  {10, 40, qRgb(255, 255, 255)}};
  for (const auto& point : expected) EXPECT_EQ(svg.pixel(point.x, point.y), point.colour) << point.x << "," << point.y;
}

// Lines of a one-pixel pen, which the canvas hands to Qt in runs, set the
// very pixels that one Qt call per line sets: short and long, off the
// picture, of no length, joined and apart, the pen changing between them.
TEST_F(QtBitmapTest, RunsOfThinLinesSetThePixelsOfLinesOneByOne) {
  constexpr int kWidth = 200, kHeight = 150;
  QtBitmap bitmap(kWidth, kHeight);
  Canvas& canvas = bitmap.GetCanvas();
  canvas.SetBrushColor(0xFFFFFF);
  canvas.FillRect(0, 0, kWidth, kHeight);
  QImage expected(kWidth, kHeight, QImage::Format_RGB32);
  expected.fill(Qt::white);
  QPainter painter(&expected);
  PaintState pen;
  PreparePainter(painter, pen);
  std::mt19937 random(5);
  auto coordinate = [&](int extent) { return static_cast<int>(random() % (extent + 100)) - 50; };
  QPoint at;
  for (int k = 0; k < 6000; ++k) {
    if (k % 250 == 0) {  // a new pen: width 0 or 1, another colour
      pen.penWidth = static_cast<int>(random() % 2);
      pen.penColor = random() & 0xFFFFFF;
      canvas.SetPen(pen.penColor, pen.penWidth);
      PreparePainter(painter, pen);
    }
    QPoint to(coordinate(kWidth), coordinate(kHeight));
    if (random() % 3 != 0) to = at + QPoint(static_cast<int>(random() % 5) - 2, static_cast<int>(random() % 5) - 2);
    if (random() % 10 == 0) {
      canvas.MoveTo(to.x(), to.y());
    } else {
      canvas.LineTo(to.x(), to.y());
      painter.drawLine(at, to);
    }
    at = to;
  }
  painter.end();
  EXPECT_EQ(bitmap.Image(), expected);
}

TEST(QtFonts, WindowsFaceResolvesToItsMetricTwin) {
  orbisk::testing::EnsureQtApp();
  FontSpec label;  // "Arial Cyr", 12 points
  QFont font = ToQFont(label);
  EXPECT_EQ(font.pixelSize(), 16);
  QString family = QFontInfo(font).family();
  EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << family.toStdString();
  label.size = 0;
  EXPECT_EQ(ToQFont(label).pixelSize(), 1);
}

}  // namespace
}  // namespace orbisk
