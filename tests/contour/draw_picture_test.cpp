#include "contour/draw_picture.h"

#include <gtest/gtest.h>
#include <memory>
#include <numbers>
#include <vector>

#include "contour/color_map.h"
#include "platform/error.h"
#include "support/recording_canvas.h"

namespace orbisk {
namespace {

using testing::RecordingCanvas;
using Strings = std::vector<std::string>;

struct Point {
  long double fi;
  long double r;
};

void AddPolyline(ContourStore& store, const std::vector<Point>& points) {
  auto angles = std::make_unique<TListExt>();
  auto radii = std::make_unique<TListExt>();
  for (const Point& p : points) {
    angles->Add(p.fi);
    radii->Add(p.r);
  }
  store.LinesFi.Add(std::move(angles));
  store.LinesR.Add(std::move(radii));
}

// A polyline through points given as (x, y), with its level.
void AddLevelLine(ContourStore& store, const std::vector<std::pair<long double, long double>>& xy, long double level) {
  std::vector<Point> points;
  for (auto [x, y] : xy) points.push_back({std::atan2(y, x), std::hypot(x, y)});
  AddPolyline(store, points);
  store.Levels.push_back(level);
}

std::string PenCall(Color color, int width) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%06x", static_cast<unsigned>(color));
  return std::string("Pen ") + hex + " " + std::to_string(width);
}

class DrawPictureTest : public ::testing::Test {
 protected:
  DrawPictureTest() : grid(std::make_unique<PolarGrid>()) {
    grid->RInt = 1;
    grid->RExt = 2;
  }

  void Draw(int width = 500, int height = 500) {
    DrawPicture(*grid, store, settings, font, canvas, width, height, '.', display);
  }

  std::unique_ptr<PolarGrid> grid;
  ContourStore store;
  PlotSettings settings;
  LevelDisplay display;
  FontSpec font;
  RecordingCanvas canvas;
};

TEST_F(DrawPictureTest, DefaultPictureInOrder) {
  Draw();
  EXPECT_EQ(canvas.calls, (Strings{
                              "Brush Solid",
                              "FillRect 0 0 500 500",
                              "Pen 0x000000 1",
                              "MoveTo 0 250",
                              "LineTo 500 250",
                              "MoveTo 250 0",
                              "LineTo 250 500",
                              "Brush Clear",
                              "Pen 0x000000 2",
                              "Ellipse 130 130 370 370",
                              "Brush Clear",
                              "Pen 0x000000 2",
                              "Ellipse 10 10 490 490",
                              "Pen 0x000000 1",
                              "Font Arial Cyr 12",
                              "TextOut 441 5 a/b=0.5",
                          }));
}

TEST_F(DrawPictureTest, MapsPointsWithSeparateScalesAndTheIntegerCentre) {
  struct Case {
    const char* name;
    int width, height;
    Point point;
    const char* pixel;
  };
  const long double pi = std::numbers::pi_v<long double>;
  const Case cases[] = {
      {"angle 0 radius 1", 500, 500, {0, 1}, "LineTo 370 250"},
      {"angle pi/2 radius 2", 500, 500, {pi / 2, 2}, "LineTo 250 10"},
      {"angle pi radius 2", 500, 500, {pi, 2}, "LineTo 10 250"},
      {"odd size: centre rounds down", 501, 301, {0, 0}, "LineTo 250 150"},
      {"600x300", 600, 300, {-pi / 2, 2}, "LineTo 300 290"},
      // 0.5 * 120 + 250 = 310; 0.0625 * 120 = 7.5 -> 8, 0.1875 * 120 = 22.5 -> 22
      {"half goes to even", 500, 500, {0, 0.0625L}, "LineTo 258 250"},
      {"half goes to even, down", 500, 500, {0, 0.1875L}, "LineTo 272 250"},
  };
  settings.XY_Present = settings.IntCircle_Present = settings.ExtCircle_Present = false;
  settings.Label_Present = false;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    store.ClearLines();
    canvas.calls.clear();
    AddPolyline(store, {{0, 0}, c.point});
    Draw(c.width, c.height);
    EXPECT_EQ(canvas.CallsStartingWith("LineTo"), Strings{c.pixel});
  }
}

TEST_F(DrawPictureTest, CircleRectangles) {
  struct Case {
    const char* name;
    int width, height;
    long double rint, rext;
    Strings ellipses;
  };
  const Case cases[] = {
      {"square", 500, 500, 1, 2, {"Ellipse 130 130 370 370", "Ellipse 10 10 490 490"}},
      {"600x300 is an ellipse", 600, 300, 1, 2, {"Ellipse 155 80 445 220", "Ellipse 10 10 590 290"}},
      {"inner radius 0 shrinks to the centre", 500, 500, 0, 2, {"Ellipse 250 250 250 250", "Ellipse 10 10 490 490"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    canvas.calls.clear();
    grid->RInt = c.rint;
    grid->RExt = c.rext;
    Draw(c.width, c.height);
    EXPECT_EQ(canvas.CallsStartingWith("Ellipse"), c.ellipses);
  }
}

TEST_F(DrawPictureTest, PresenceFlagsAndPens) {
  settings.XY_Present = false;
  settings.IntCircle_Color = 0x0000FF;
  settings.IntCircle_Width = 3;
  settings.ExtCircle_Present = false;
  settings.Function_Color = 0x123456;
  settings.Function_Width = 4;
  settings.Contour_Color = 0xABCDEF;  // never used for drawing
  settings.Contour_Width = 9;
  AddPolyline(store, {{0, 1}, {0, 2}});
  Draw();
  EXPECT_EQ(canvas.CallsStartingWith("Pen"), (Strings{"Pen 0x0000ff 3", "Pen 0x123456 4"}));
  EXPECT_EQ(canvas.CallsStartingWith("Ellipse").size(), 1u);
  EXPECT_TRUE(canvas.CallsStartingWith("MoveTo 0").empty());

  canvas.calls.clear();
  settings.Function_Present = false;
  Draw();
  EXPECT_TRUE(canvas.CallsStartingWith("LineTo").empty());
  EXPECT_EQ(canvas.CallsStartingWith("TextOut").size(), 1u);
}

TEST_F(DrawPictureTest, PolylinesSkipEmptyAndMissingEntries) {
  settings.XY_Present = false;
  AddPolyline(store, {});
  AddPolyline(store, {{0, 1}});
  store.LinesFi.SetCount(3);  // an entry without lists, as after a failed load
  store.LinesR.SetCount(3);
  AddPolyline(store, {{0, 1}, {0, 2}, {0, 1}});
  store.LinesR.Add(std::make_unique<TListExt>());  // no angle list at all
  store.LinesR.Get(4)->Add(1);
  Draw();
  EXPECT_EQ(canvas.CallsStartingWith("MoveTo"), (Strings{"MoveTo 370 250", "MoveTo 370 250"}));
  EXPECT_EQ(canvas.CallsStartingWith("LineTo"), (Strings{"LineTo 490 250", "LineTo 370 250"}));
  // Positions computed beforehand, as a batch job does, draw the same calls.
  const StorePositions positions = PositionsOf(store);
  RecordingCanvas given;
  DrawPicture(*grid, store, settings, font, given, 500, 500, '.', display, &positions);
  EXPECT_EQ(given.calls, canvas.calls);
}

// Positions computed over several threads, in runs of polylines, are those of
// every point of every polyline, whatever the lengths and missing entries.
TEST(PositionsOf, OverThreadsGivesEveryPointsPosition) {
  ContourStore store;
  for (int k = 0; k < 700; ++k) {
    std::vector<Point> points;
    for (int m = 0; m < (k * 37) % 23; ++m) points.push_back({0.01L * (k + m), 1 + 0.001L * m});
    AddPolyline(store, points);
    if (k % 97 == 0) {  // an entry without lists
      store.LinesFi.SetCount(store.LinesFi.Count() + 1);
      store.LinesR.SetCount(store.LinesR.Count() + 1);
    }
  }
  ThreadPool three(3);
  const StorePositions positions = PositionsOf(store, three);
  ASSERT_EQ(positions.size(), static_cast<std::size_t>(store.LinesR.Count()));
  for (std::int32_t k = 0; k < store.LinesR.Count(); ++k) {
    const TListExt* fi = store.LinesFi.Get(k);
    const TListExt* r = store.LinesR.Get(k);
    const std::vector<PlanePoint>& line = positions[static_cast<std::size_t>(k)];
    ASSERT_EQ(line.size(), fi ? static_cast<std::size_t>(fi->Count()) : 0u) << k;
    for (std::size_t m = 0; m < line.size(); ++m) {
      const PlanePoint exact = PositionOf(fi->Data()[m], r->Data()[m]);
      ASSERT_TRUE(line[m].x == exact.x && line[m].y == exact.y) << k << " " << m;
    }
  }
}

// A store of several times more points than the picture computes positions
// for at once (tens of thousands), with one polyline larger than that alone,
// draws as it does from positions computed beforehand.
TEST_F(DrawPictureTest, BatchesOfPositionsDrawAsPositionsGiven) {
  settings.XY_Present = false;
  for (int k = 0; k < 700; ++k) {
    std::vector<Point> points;
    const int count = k == 150 ? 70000 : 250;
    for (int m = 0; m < count; ++m) points.push_back({0.0001L * (k * 7 + m), 1 + 0.9L * m / count});
    AddPolyline(store, points);
  }
  Draw();
  const StorePositions positions = PositionsOf(store);
  RecordingCanvas given;
  DrawPicture(*grid, store, settings, font, given, 500, 500, '.', display, &positions);
  EXPECT_EQ(given.calls, canvas.calls);
}

TEST_F(DrawPictureTest, LabelSitsRightAlignedInTheLabelFont) {
  font.name = "Courier";
  font.size = 20;
  font.color = 0xFF;
  grid->RInt = 1;
  grid->RExt = 3;
  Draw(300, 300);
  // "a/b=0.3333" is 10 characters, 70 pixels: 300 - 70 - 10 = 220.
  EXPECT_EQ(canvas.CallsStartingWith("TextOut"), Strings{"TextOut 220 5 a/b=0.3333"});
  EXPECT_EQ(canvas.font, font);

  canvas.calls.clear();
  Draw(40, 300);  // wider than the picture: starts left of it
  EXPECT_EQ(canvas.CallsStartingWith("TextOut"), Strings{"TextOut -40 5 a/b=0.3333"});
}

TEST_F(DrawPictureTest, LabelBackgroundIsOpaqueOnlyWithoutCircles) {
  struct Case {
    bool intCircle, extCircle;
    BrushStyle expected;
  };
  const Case cases[] = {{true, true, BrushStyle::Clear},
                        {true, false, BrushStyle::Clear},
                        {false, true, BrushStyle::Clear},
                        {false, false, BrushStyle::Solid}};
  for (const Case& c : cases) {
    RecordingCanvas fresh;
    settings.IntCircle_Present = c.intCircle;
    settings.ExtCircle_Present = c.extCircle;
    DrawPicture(*grid, store, settings, font, fresh, 500, 500, '.');
    ASSERT_EQ(fresh.textBrushStyles.size(), 1u);
    EXPECT_EQ(fresh.textBrushStyles[0], c.expected) << c.intCircle << c.extCircle;
    EXPECT_TRUE(fresh.CallsStartingWith("BrushColor").empty());
  }
}

TEST_F(DrawPictureTest, ZeroDomainTakesTheLargestRadiusOfTheData) {
  grid->RInt = 0;
  grid->RExt = 0;
  AddPolyline(store, {{0, 1}, {1, 4}});
  AddPolyline(store, {{0, 3}});
  Draw();
  EXPECT_EQ(grid->RExt, 4);  // kept for later calls
  EXPECT_EQ(canvas.CallsStartingWith("Ellipse"), (Strings{"Ellipse 250 250 250 250", "Ellipse 10 10 490 490"}));
  EXPECT_EQ(canvas.CallsStartingWith("TextOut"), Strings{"TextOut 455 5 a/b=0"});
}

TEST_F(DrawPictureTest, ZeroOuterRadiusFailsBeforePainting) {
  struct Case {
    const char* name;
    int width;
    long double rint;
    const char* message;
  };
  const Case cases[] = {
      {"empty store, zero domain", 500, 0, "Floating point division by zero"},
      {"only zero radii", 500, 0, "Floating point division by zero"},
      {"inner radius set", 500, 1, "Floating point division by zero"},
      {"zero dividend too", 20, 0, "Invalid floating point operation"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    store.ClearLines();
    if (std::string(c.name) == "only zero radii") AddPolyline(store, {{0, 0}, {1, 0}});
    grid->RInt = c.rint;
    grid->RExt = 0;
    canvas.calls.clear();
    try {
      Draw(c.width, 500);
      ADD_FAILURE() << "no error";
    } catch (const MathError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_TRUE(canvas.calls.empty());
  }
}

TEST_F(DrawPictureTest, BadLabelFormatFailsAfterEverythingElse) {
  settings.Label_Format = ".4q";
  AddPolyline(store, {{0, 1}, {0, 2}});
  try {
    Draw();
    ADD_FAILURE() << "no error";
  } catch (const InputError& e) {
    EXPECT_STREQ(e.what(), "Format '%.4q' invalid or incompatible with argument");
  }
  EXPECT_EQ(canvas.calls.back(), "LineTo 490 250");
  EXPECT_TRUE(canvas.CallsStartingWith("Font").empty());
}

TEST_F(DrawPictureTest, FarPointsAreClampedNotWrapped) {
  AddPolyline(store, {{0, 1}, {0, 1e30L}, {std::numbers::pi_v<long double>, 1e30L}});
  Draw();
  EXPECT_EQ(canvas.CallsStartingWith("LineTo 16777216 250").size(), 1u);
  EXPECT_EQ(canvas.CallsStartingWith("LineTo -16777216 ").size(), 1u);
}

TEST_F(DrawPictureTest, LevelDisplayWithoutEffectDrawsThePlainPicture) {
  const LevelDisplay allOn{true, true, true, ".4g"};
  const struct {
    const char* name;
    LevelDisplay display;
    bool levels;  // the polylines know their level
    bool lines;   // Function_Present
  } cases[] = {
      {"all off, levels known", {}, true, true},
      {"all on, a Polar Data store", allOn, false, true},
      {"all on, no contour lines drawn", allOn, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    store.ClearLines();
    AddLevelLine(store, {{1, 1}, {1.5L, 0.5L}, {1, -1}}, 0.5L);
    if (!c.levels) store.Levels.clear();
    settings.Function_Present = c.lines;
    display = c.display;
    canvas.calls.clear();
    Draw();
    const Strings withDisplay = canvas.calls;
    display = {};
    store.Levels.clear();
    canvas.calls.clear();
    Draw();
    EXPECT_EQ(withDisplay, canvas.calls);
  }
}

TEST_F(DrawPictureTest, ColoursGiveAPenPerLevel) {
  display.Colors = true;
  settings.Function_Width = 3;
  AddLevelLine(store, {{1, 1}, {1, 0.5L}}, 1);
  AddLevelLine(store, {{-1, 1}, {-1, 0.5L}}, 1);
  AddLevelLine(store, {{1, -1}, {1, -0.5L}}, 2);
  AddLevelLine(store, {{-1, -1}, {-1, -0.5L}}, 3);
  Draw();
  EXPECT_EQ(
      canvas.CallsStartingWith("Pen"),
      (Strings{"Pen 0x000000 1", "Pen 0x000000 2", "Pen 0x000000 2", PenCall(0x540144, 3),  // viridis at 0: 68, 1, 84
               PenCall(ViridisColor(kLevelColorTop / 2), 3), PenCall(ViridisColor(kLevelColorTop), 3)}));
  EXPECT_EQ(canvas.CallsStartingWith("TextOut").size(), 1u);  // the ratio label alone
}

TEST_F(DrawPictureTest, LegendTakesAStripAndTheMapTheRest) {
  display.Legend = true;
  for (long double level : {0.5L, 1.0L, 1.5L}) AddLevelLine(store, {{level, 0.1L}, {level, 0.2L}}, level);
  EXPECT_EQ(DrawPicture(*grid, store, settings, font, canvas, 500, 500, '.', display),
            (MapPlacement{103.25L, 120, 216, 250, 433}));
  // The strip is 67 pixels wide (legend_test); the map keeps 433: sx = 103.25,
  // cx = 216, and the radius 2 * 103.25 = 206.5 rounds to 206.
  EXPECT_EQ(canvas.CallsStartingWith("LineTo 433"), Strings{"LineTo 433 250"});
  EXPECT_EQ(canvas.CallsStartingWith("Ellipse"), (Strings{"Ellipse 113 130 319 370", "Ellipse 10 10 422 490"}));
  EXPECT_EQ(canvas.CallsStartingWith("TextOut"),
            (Strings{"TextOut 469 31 0.5", "TextOut 469 51 1", "TextOut 469 71 1.5", "TextOut 441 5 a/b=0.5"}));
}

TEST_F(DrawPictureTest, ValuesOnTheLinesKeepOffTheAxesAndTheRatioLabel) {
  display.LineLabels = true;
  // Pixel (70, 130) to (430, 130): its middle is on the vertical axis.
  AddLevelLine(store, {{-1.5L, 1}, {1.5L, 1}}, 10);
  // Pixel (400, 16) to (484, 16): its middle is under the ratio label.
  AddLevelLine(store, {{1.25L, 1.95L}, {1.95L, 1.95L}}, 20);
  // Pixel (22, 478) to (28, 478): too short for a label.
  AddLevelLine(store, {{-1.9L, -1.9L}, {-1.85L, -1.9L}}, 30);
  Draw();
  // "10" is 14 x 16: centred at 250 and at 258 and 242 its box (+2 around)
  // meets the axis (249..251); at 266 it is clear. "20": centred at 442, 450,
  // 434 and 458 it meets the ratio label (441..490); at 426 it is clear.
  EXPECT_EQ(canvas.CallsStartingWith("TextOut"),
            (Strings{"TextOut 259 122 10", "TextOut 419 8 20", "TextOut 441 5 a/b=0.5"}));
  // Each line broken under its label's box, from 2 pixels before to 2 after.
  EXPECT_EQ(canvas.CallsStartingWith("MoveTo"),
            (Strings{"MoveTo 0 250", "MoveTo 250 0", "MoveTo 70 130", "MoveTo 275 130", "MoveTo 400 16",
                     "MoveTo 435 16", "MoveTo 22 478"}));
  EXPECT_EQ(canvas.CallsStartingWith("LineTo"),
            (Strings{"LineTo 500 250", "LineTo 250 500", "LineTo 257 130", "LineTo 430 130", "LineTo 417 16",
                     "LineTo 484 16", "LineTo 28 478"}));
  EXPECT_EQ(canvas.textBrushStyles, (std::vector<BrushStyle>{BrushStyle::Solid, BrushStyle::Solid,
                                                             BrushStyle::Clear}));  // opaque values, label as ever
}

TEST_F(DrawPictureTest, BadValueFormatFailsBeforePainting) {
  display.Legend = true;
  display.ValueFormat = "q";
  AddLevelLine(store, {{1, 1}, {1, 0.5L}}, 1);
  EXPECT_THROW(Draw(), InputError);
  EXPECT_TRUE(canvas.calls.empty());
}

TEST(ColorMap, ViridisEndsAndGrowsLighter) {
  EXPECT_EQ(ViridisColor(0), RgbColor(68, 1, 84));
  EXPECT_EQ(ViridisColor(0.5), RgbColor(33, 144, 140));
  EXPECT_EQ(ViridisColor(1), RgbColor(253, 231, 37));
  EXPECT_EQ(ViridisColor(-3), ViridisColor(0));
  EXPECT_EQ(ViridisColor(std::nan("")), ViridisColor(0));
  EXPECT_EQ(LevelColor(5, 5, 5), ViridisColor(0));
  double previous = -1;
  for (int i = 0; i <= 200; ++i) {  // a mistyped sample would break the rise
    const Color c = ViridisColor(i / 200.0);
    const double luminance = 0.2126 * RedOf(c) + 0.7152 * GreenOf(c) + 0.0722 * BlueOf(c);
    EXPECT_GT(luminance, previous) << i;
    previous = luminance;
  }
}

}  // namespace
}  // namespace orbisk
