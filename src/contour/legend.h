#pragma once
// The legend: the level values, each beside a short stroke of its colour, in a
// strip at the right edge of the picture. The map is drawn in the rest of the
// picture, so that the legend never covers it; the ratio label keeps its
// place at the top right, and the legend starts below it.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace orbisk {

struct LegendEntry {
  std::string text;  // the level's value as written
  Color color;       // the colour of the level's lines
};

// Where the legend goes. stripWidth 0 means no legend.
struct LegendLayout {
  int stripWidth = 0;             // the strip at the right edge, in pixels
  int left = 0;                   // where the strokes start
  int top = 0;                    // the top of the first row
  int rowHeight = 0;              // text height plus kLegendRowGap
  std::vector<std::size_t> rows;  // the entries listed, in order

  bool operator==(const LegendLayout&) const = default;
};

inline constexpr int kLegendMargin = 10;    // around the legend
inline constexpr int kLegendStroke = 20;    // length of a colour stroke
inline constexpr int kLegendStrokePen = 4;  // its pen width
inline constexpr int kLegendTextGap = 6;    // between stroke and text
inline constexpr int kLegendRowGap = 4;     // between rows

// The legend of entries (levels in increasing order) in a picture of width x
// height, its text measured in the canvas's current font. It starts
// kLegendMargin below the ratio label when that is shown (at 5 pixels from
// the top, as tall as a line of text), else kLegendMargin from the top. When
// not every entry fits in the picture's height, as many rows as fit list
// entries spread evenly from the first to the last. No legend when no row
// fits or when the strip would take more than half the picture's width.
LegendLayout LayoutLegend(const std::vector<LegendEntry>& entries, Canvas& canvas, int width, int height,
                          bool ratioLabelShown);

// Draws the rows of layout: per row a stroke of the entry's colour, vertically
// centred on the text, then the text. Leaves the pen set to the last stroke's.
void DrawLegend(Canvas& canvas, const std::vector<LegendEntry>& entries, const LegendLayout& layout);

}  // namespace orbisk
