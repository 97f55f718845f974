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

QPen MakePen(const PaintState& s) {
  QPen pen(ToQColor(s.penColor), std::clamp(s.penWidth, 1, kMaxPenWidth), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  return pen;
}

QBrush MakeBrush(const PaintState& s) {
  return s.brushStyle == BrushStyle::Solid ? QBrush(ToQColor(s.brushColor)) : QBrush(Qt::NoBrush);
}

struct Painting {
  PaintState& state;
  QPainter* painter;

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
  void operator()(const paint_op::MoveTo& op) { state.position = QPoint(op.x, op.y); }
  void operator()(const paint_op::LineTo& op) {
    QPoint to(op.x, op.y);
    if (painter) painter->drawLine(state.position, to);
    state.position = to;
  }
  void operator()(const paint_op::Ellipse& op) {
    if (painter) painter->drawEllipse(EdgeRect(op.left, op.top, op.right, op.bottom));
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

void ApplyPaintOp(const PaintOp& op, PaintState& state, QPainter* painter) { std::visit(Painting{state, painter}, op); }

void PreparePainter(QPainter& painter, const PaintState& state) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setPen(MakePen(state));
  painter.setBrush(MakeBrush(state));
}

int TextWidthIn(const QFont& font, const std::string& text) {
  return QFontMetrics(font).horizontalAdvance(QString::fromStdString(text));
}

}  // namespace orbisk
