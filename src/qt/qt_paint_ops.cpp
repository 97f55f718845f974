#include "qt/qt_paint_ops.h"

#include <QFontMetrics>
#include <QPen>
#include <QRect>
#include <algorithm>

#include "qt/qt_fonts.h"

namespace orbisk {

namespace {

// Pens wider than this are clamped; pen width 0 draws one pixel, as 1 does.
constexpr int kMaxPenWidth = 10000;

QColor ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

// A rectangle from edge coordinates; reversed edges are put in order.
QRect EdgeRect(int left, int top, int right, int bottom) {
  return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
               QSize(std::abs(right - left), std::abs(bottom - top)));
}

int ClampedPenWidth(int width) { return std::clamp(width, 1, kMaxPenWidth); }

QPen MakePen(const PaintState& s) {
  QPen pen(ToQColor(s.penColor), ClampedPenWidth(s.penWidth), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  return pen;
}

QBrush MakeBrush(const PaintState& s) {
  return s.brushStyle == BrushStyle::Solid ? QBrush(ToQColor(s.brushColor)) : QBrush(Qt::NoBrush);
}

struct Painting {
  PaintState& state;
  QPainter* painter;
  PaintGeometry geometry;

  void operator()(const paint_op::Pen& op) {
    state.penColor = op.color;
    state.penWidth = op.width;
    if (painter) painter->setPen(MakePen(state));
  }
  void operator()(const paint_op::BrushColor& op) {
    state.brushColor = op.color;
    if (painter) painter->setBrush(MakeBrush(state));
  }
  void operator()(const paint_op::Brush& op) {
    state.brushStyle = op.style;
    if (painter) painter->setBrush(MakeBrush(state));
  }
  void operator()(const paint_op::Font& op) {
    state.font = op.font;
    state.qfont = ToQFont(op.font);
  }
  void operator()(const paint_op::FillRect& op) {
    if (painter && state.brushStyle == BrushStyle::Solid) {
      painter->fillRect(EdgeRect(op.left, op.top, op.right, op.bottom), ToQColor(state.brushColor));
    }
  }
  void operator()(const paint_op::MoveTo& op) {
    state.position = op.pixel;
    state.exactPosition = op.exact;
  }
  void operator()(const paint_op::LineTo& op) {
    if (painter && geometry == PaintGeometry::Pixel) painter->drawLine(state.position, op.pixel);
    if (painter && geometry == PaintGeometry::Exact) {
      const QPointF offset = VectorStrokeOffset(state.penWidth);
      painter->drawLine(QLineF(state.exactPosition + offset, op.exact + offset));
    }
    state.position = op.pixel;
    state.exactPosition = op.exact;
  }
  void operator()(const paint_op::Ellipse& op) {
    if (painter && geometry == PaintGeometry::Pixel)
      painter->drawEllipse(EdgeRect(op.left, op.top, op.right, op.bottom));
    if (painter && geometry == PaintGeometry::Exact) {
      painter->drawEllipse(op.centre + VectorStrokeOffset(state.penWidth), op.rx, op.ry);
    }
  }
  void operator()(const paint_op::Text& op) {
    if (!painter) return;
    QString text = QString::fromStdString(op.text);
    QFontMetrics metrics(state.qfont);
    if (state.brushStyle == BrushStyle::Solid) {
      painter->fillRect(QRect(op.x, op.y, metrics.horizontalAdvance(text), metrics.height()),
                        ToQColor(state.brushColor));
    }
    painter->save();
    painter->setFont(state.qfont);
    painter->setPen(ToQColor(state.font.color));
    painter->drawText(QPoint(op.x, op.y + metrics.ascent()), text);
    painter->restore();
  }
};

}  // namespace

PaintState::PaintState() : qfont(ToQFont(font)) {}

void ApplyPaintOp(const PaintOp& op, PaintState& state, QPainter* painter, PaintGeometry geometry) {
  std::visit(Painting{state, painter, geometry}, op);
}

QPointF VectorStrokeOffset(int penWidth) {
  return ClampedPenWidth(penWidth) % 2 == 1 ? QPointF(0.5, 0.5) : QPointF(0, 0);
}

bool IsOnePixelPen(const PaintState& state) { return ClampedPenWidth(state.penWidth) == 1; }

void PreparePainter(QPainter& painter, const PaintState& state) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setPen(MakePen(state));
  painter.setBrush(MakeBrush(state));
}

int TextWidthIn(const QFont& font, const std::string& text) {
  return QFontMetrics(font).horizontalAdvance(QString::fromStdString(text));
}

int TextHeightIn(const QFont& font) { return QFontMetrics(font).height(); }

}  // namespace orbisk
