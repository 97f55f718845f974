#pragma once
// The canvas calls as values, and how they are carried out on a QPainter. The
// raster canvas runs each call at once and keeps the list since the last full
// repaint, so that the same drawing can be replayed onto a vector painter.
// Shapes carry both their pixel position, which the raster draws, and their
// exact position, which a vector picture draws.

#include <QFont>
#include <QPainter>
#include <QPoint>
#include <QPointF>
#include <string>
#include <variant>
#include <vector>

#include "platform/canvas.h"

namespace orbisk {

namespace paint_op {
struct Pen {
  Color color;
  int width;
};
struct BrushColor {
  Color color;
};
struct Brush {
  BrushStyle style;
};
struct Font {
  FontSpec font;
};
struct FillRect {
  int left, top, right, bottom;
};
struct MoveTo {
  QPoint pixel;
  QPointF exact;
};
struct LineTo {
  QPoint pixel;
  QPointF exact;
};
struct Ellipse {
  int left, top, right, bottom;  // the pixel bounding rectangle
  QPointF centre;                // the exact centre and radii
  qreal rx, ry;
};
struct Text {
  int x, y;
  std::string text;
};
}  // namespace paint_op

using PaintOp = std::variant<paint_op::Pen, paint_op::BrushColor, paint_op::Brush, paint_op::Font, paint_op::FillRect,
                             paint_op::MoveTo, paint_op::LineTo, paint_op::Ellipse, paint_op::Text>;

// The canvas state that the calls change; starts as a fresh canvas: black
// 1-pixel pen, solid white brush, the default font, position (0, 0).
struct PaintState {
  Color penColor = 0;
  int penWidth = 1;
  Color brushColor = 0xFFFFFF;
  BrushStyle brushStyle = BrushStyle::Solid;
  FontSpec font;
  QFont qfont;
  QPoint position;
  QPointF exactPosition;

  PaintState();
};

// Which positions a painter draws: the pixels, as the raster picture shows
// them, or the exact positions, for a vector picture.
enum class PaintGeometry { Pixel, Exact };

// Updates state by op and, when painter is not null, paints op with it.
void ApplyPaintOp(const PaintOp& op, PaintState& state, QPainter* painter,
                  PaintGeometry geometry = PaintGeometry::Pixel);

// Where a vector picture puts a stroke of penWidth drawn at an exact position
// p so that it covers what the raster covers at RoundPixel(p): the raster
// paints an odd-width stroke right of and below its pixel line, an even-width
// one centred on it.
QPointF VectorStrokeOffset(int penWidth);

// True when state's pen draws one pixel wide (widths below 1 draw as 1).
bool IsOnePixelPen(const PaintState& state);

// Sets up a newly begun painter for state: no antialiasing for shapes, pen and
// brush as in state.
void PreparePainter(QPainter& painter, const PaintState& state);

// Width in pixels of text in font.
int TextWidthIn(const QFont& font, const std::string& text);
// Height in pixels of a line of text in font.
int TextHeightIn(const QFont& font);

}  // namespace orbisk
