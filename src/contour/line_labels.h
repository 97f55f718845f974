#pragma once
// Values written on contour lines: where each label goes, and the line drawn
// with a gap under its labels. Everything is in pixels of the picture, at the
// exact (unrounded) positions of the line's points.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/canvas.h"

namespace orbisk {

struct PixelPoint {
  long double x = 0;
  long double y = 0;

  bool operator==(const PixelPoint&) const = default;
};

// A rectangle [left, right] x [top, bottom] in pixels.
struct PixelBox {
  long double left = 0, top = 0, right = 0, bottom = 0;

  bool Overlaps(const PixelBox& other) const;
  bool Inside(const PixelBox& area) const;
  bool operator==(const PixelBox&) const = default;
};

// Pixels kept free around a label's text: the line's gap and the distance to
// anything else.
inline constexpr int kLabelMargin = 2;
// A line gets one label per this many pixels of its length, at least one.
inline constexpr int kLabelSpacing = 400;
inline constexpr int kMaxLabelsPerLine = 100;
// A line shorter than this many times its label's box gets no label, so that
// a label never hides most of its line.
inline constexpr int kShortLineFactor = 3;

// One label: the text's top-left corner, as TextOut takes it, and the box kept
// free (the text and kLabelMargin around it).
struct LineLabel {
  int x = 0, y = 0;
  PixelBox box;

  bool operator==(const LineLabel&) const = default;
};

// What labels must keep off: a label lies wholly inside the area and
// overlaps none of the obstacles (the axes, the ratio label) and no label
// placed before.
class LabelRoom {
 public:
  LabelRoom(const PixelBox& area, std::vector<PixelBox> obstacles);

  bool Fits(const PixelBox& box) const;
  // Marks box as taken by a label.
  void Take(const PixelBox& box);

 private:
  // Taken boxes are filed under every cell of kCell x kCell pixels they touch,
  // so that a test looks only at its neighbours.
  static constexpr int kCell = 64;
  std::vector<std::int64_t> CellsOf(const PixelBox& box) const;

  PixelBox area_;
  std::vector<PixelBox> obstacles_;
  std::unordered_map<std::int64_t, std::vector<PixelBox>> taken_;
};

// The labels of a text textWidth x textHeight on path, taken in room. A path
// of length L gets n = floor(L / kLabelSpacing) labels, at least 1 and at
// most kMaxLabelsPerLine, and none when L < kShortLineFactor times the box
// width. Label j aims at the point at
// length (j + 1/2) L / n along the path, its text centred there; when the box
// does not fit there, the points textHeight / 2 further on, then as far back,
// then twice as far and so on are tried, within L / (2n) (at most
// kLabelSpacing / 2) of the aim and at least half a box width from either end. A label that fits nowhere is left
// out. Deterministic: the same input gives the same labels.
std::vector<LineLabel> PlaceLineLabels(const std::vector<PixelPoint>& path, int textWidth, int textHeight,
                                       LabelRoom& room);

// Draws path (MoveToExact, then LineToExact) with the parts inside any of gaps
// left out. Without gaps these are exactly the calls of the plain polyline.
void DrawBrokenPolyline(Canvas& canvas, const std::vector<PixelPoint>& path, const std::vector<PixelBox>& gaps);

}  // namespace orbisk
