#include "contour/line_labels.h"

#include <gtest/gtest.h>

#include "contour/legend.h"
#include "support/recording_canvas.h"

namespace orbisk {
namespace {

using Strings = std::vector<std::string>;
using testing::RecordingCanvas;

// Labels of a 20 x 16 text; every box is the text and 2 pixels around it.
TEST(LineLabels, PlacementKeepsOffObstaclesAndEachOther) {
  const PixelBox area{0, 0, 300, 300};
  const std::vector<PixelPoint> across{{0, 100}, {200, 100}};
  const struct {
    const char* name;
    std::vector<PixelPoint> path;
    std::vector<PixelBox> obstacles;
    std::vector<std::pair<int, int>> labels;  // TextOut positions
  } cases[] = {
      {"centred on the middle of the line", across, {}, {{90, 92}}},
      {"a line of less than three boxes gets none", {{0, 100}, {71, 100}}, {}, {}},
      {"three boxes are enough", {{0, 100}, {72, 100}}, {}, {{26, 92}}},
      // From 100 the tries go 108, 92, 116, 84, 124, 76, 132: the first box
      // clear of x 80..120 is the one centred at 132.
      {"moved along past an obstacle", across, {{80, 0, 120, 300}}, {{122, 92}}},
      {"nowhere to go", across, {{0, 0, 300, 300}}, {}},
      {"one label per 400 pixels", {{0, 10}, {1000, 10}}, {}, {{240, 2}, {740, 2}}},
      {"kept inside the area", {{0, 4}, {200, 4}}, {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LabelRoom room(c.name == std::string("one label per 400 pixels") ? PixelBox{0, 0, 1200, 100} : area, c.obstacles);
    std::vector<std::pair<int, int>> placed;
    for (const LineLabel& label : PlaceLineLabels(c.path, 20, 16, room)) {
      placed.emplace_back(label.x, label.y);
      EXPECT_EQ(label.box, (PixelBox{label.x - 2.0L, label.y - 2.0L, label.x + 22.0L, label.y + 18.0L}));
    }
    EXPECT_EQ(placed, c.labels);
  }
}

TEST(LineLabels, ASecondLineMovesOffTheFirstLabel) {
  LabelRoom room({0, 0, 300, 300}, {});
  ASSERT_EQ(PlaceLineLabels({{0, 100}, {200, 100}}, 20, 16, room).size(), 1u);  // at (90, 92)
  const std::vector<LineLabel> second = PlaceLineLabels({{0, 104}, {200, 104}}, 20, 16, room);
  ASSERT_EQ(second.size(), 1u);
  // Centres 100, 108, 92, 116, 84 overlap the first box (88..112); 124 not.
  EXPECT_EQ(std::pair(second[0].x, second[0].y), std::pair(114, 96));
  EXPECT_FALSE(room.Fits(second[0].box));
}

TEST(LineLabels, LinesBreakUnderTheirGaps) {
  const struct {
    const char* name;
    std::vector<PixelPoint> path;
    std::vector<PixelBox> gaps;
    Strings calls;
  } cases[] = {
      {"no gap: the plain polyline", {{0, 0}, {10, 0}, {10, 10}}, {}, {"MoveTo 0 0", "LineTo 10 0", "LineTo 10 10"}},
      {"gap inside a segment",
       {{0, 0}, {100, 0}},
       {{40, -5, 60, 5}},
       {"MoveTo 0 0", "LineTo 40 0", "MoveTo 60 0", "LineTo 100 0"}},
      {"gap over a corner",
       {{0, 0}, {50, 0}, {50, 50}},
       {{45, -5, 55, 5}},
       {"MoveTo 0 0", "LineTo 45 0", "MoveTo 50 5", "LineTo 50 50"}},
      {"gap over the start", {{0, 0}, {100, 0}}, {{-5, -5, 10, 5}}, {"MoveTo 0 0", "MoveTo 10 0", "LineTo 100 0"}},
      {"a segment wholly hidden",
       {{0, 0}, {5, 0}, {100, 0}},
       {{-1, -1, 20, 1}},
       {"MoveTo 0 0", "MoveTo 20 0", "LineTo 100 0"}},
      {"two gaps on one segment",
       {{0, 0}, {100, 0}},
       {{70, -1, 80, 1}, {10, -1, 20, 1}},
       {"MoveTo 0 0", "LineTo 10 0", "MoveTo 20 0", "LineTo 70 0", "MoveTo 80 0", "LineTo 100 0"}},
      {"a line beside the gap", {{0, 0}, {100, 0}}, {{40, 1, 60, 5}}, {"MoveTo 0 0", "LineTo 100 0"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingCanvas canvas;
    DrawBrokenPolyline(canvas, c.path, c.gaps);
    EXPECT_EQ(canvas.calls, c.calls);
  }
}

// The recording canvas writes 7 pixels per character, 16 pixels high.
TEST(Legend, StripAtTheRightBelowTheRatioLabel) {
  const std::vector<LegendEntry> three{{"0.5", 0x1}, {"1", 0x2}, {"1.5", 0x3}};
  std::vector<LegendEntry> ten;
  for (int i = 0; i < 10; ++i) ten.push_back({std::to_string(i), Color(i)});
  const struct {
    const char* name;
    const std::vector<LegendEntry>& entries;
    int width, height;
    bool ratioLabel;
    LegendLayout expected;
  } cases[] = {
      // 10 + 20 + 6 + 21 + 10 = 67 wide; rows start at 5 + 16 + 10.
      {"three levels", three, 500, 500, true, {67, 443, 31, 20, {0, 1, 2}}},
      {"no ratio label", three, 500, 500, false, {67, 443, 10, 20, {0, 1, 2}}},
      {"three rows fit of ten: first, middle, last", ten, 500, 100, true, {53, 457, 31, 20, {0, 5, 9}}},
      {"no row fits", three, 500, 40, true, {}},
      {"wider than half the picture", three, 133, 500, true, {}},
      {"no levels", {}, 500, 500, true, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingCanvas canvas;
    EXPECT_EQ(LayoutLegend(c.entries, canvas, c.width, c.height, c.ratioLabel), c.expected);
  }
  RecordingCanvas canvas;
  DrawLegend(canvas, three, LayoutLegend(three, canvas, 500, 500, true));
  EXPECT_EQ(canvas.calls, (Strings{"Pen 0x000001 4", "MoveTo 443 39", "LineTo 463 39", "TextOut 469 31 0.5",
                                   "Pen 0x000002 4", "MoveTo 443 59", "LineTo 463 59", "TextOut 469 51 1",
                                   "Pen 0x000003 4", "MoveTo 443 79", "LineTo 463 79", "TextOut 469 71 1.5"}));
}

}  // namespace
}  // namespace orbisk
