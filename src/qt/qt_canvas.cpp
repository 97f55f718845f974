#include "qt/qt_canvas.h"

#include <QPolygon>

#include "platform/error.h"

namespace orbisk {

QtCanvas::QtCanvas() = default;

QtCanvas::~QtCanvas() { EndPainting(); }

void QtCanvas::SetPen(Color color, int width) { Run(paint_op::Pen{color, width}); }
void QtCanvas::SetBrushColor(Color color) { Run(paint_op::BrushColor{color}); }
void QtCanvas::SetBrushStyle(BrushStyle style) { Run(paint_op::Brush{style}); }
void QtCanvas::SetFont(const FontSpec& font) { Run(paint_op::Font{font}); }
void QtCanvas::MoveTo(int x, int y) { Run(paint_op::MoveTo{x, y}); }
void QtCanvas::LineTo(int x, int y) { Run(paint_op::LineTo{x, y}); }
void QtCanvas::Ellipse(int left, int top, int right, int bottom) { Run(paint_op::Ellipse{left, top, right, bottom}); }
void QtCanvas::TextOut(int x, int y, const std::string& text) { Run(paint_op::Text{x, y, text}); }

void QtCanvas::FillRect(int left, int top, int right, int bottom) {
  // A solid fill of the whole picture hides everything before it: the replay
  // list can start here.
  if (state_.brushStyle == BrushStyle::Solid && left <= 0 && top <= 0 && right >= image_.width() &&
      bottom >= image_.height()) {
    RestartReplayList();
  }
  Run(paint_op::FillRect{left, top, right, bottom});
}

int QtCanvas::TextWidth(const std::string& text) { return TextWidthIn(state_.qfont, text); }

const QImage& QtCanvas::Image() {
  EndPainting();
  return image_;
}

void QtCanvas::Resize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == image_.width() && height == image_.height()) return;
  if (static_cast<long long>(width) * height > kMaxPixels) throw Error("Out of memory");
  EndPainting();
  QImage resized(width, height, QImage::Format_RGB32);
  if (resized.isNull() && width > 0 && height > 0) throw Error("Out of memory");
  resized.fill(Qt::white);
  if (!image_.isNull() && !resized.isNull()) {
    QPainter copier(&resized);
    copier.drawImage(0, 0, image_);
  }
  image_ = std::move(resized);
}

void QtCanvas::Whiten() {
  EndPainting();
  image_.fill(Qt::white);
  RestartReplayList();
}

void QtCanvas::Replay(QPainter& painter) const {
  PaintState state = replayStart_;
  PreparePainter(painter, state);
  // Runs of LineTo become one polyline each: the same lines, far fewer
  // elements in a vector file.
  QPolygon run;
  auto flush = [&] {
    if (run.size() > 1) painter.drawPolyline(run);
    run.clear();
  };
  for (const PaintOp& op : replay_) {
    if (const auto* line = std::get_if<paint_op::LineTo>(&op)) {
      if (run.isEmpty()) run << state.position;
      run << QPoint(line->x, line->y);
      ApplyPaintOp(op, state, nullptr);
      continue;
    }
    flush();
    ApplyPaintOp(op, state, &painter);
  }
  flush();
}

void QtCanvas::Run(PaintOp op) {
  if (!painter_ && !image_.isNull()) {
    painter_ = std::make_unique<QPainter>(&image_);
    PreparePainter(*painter_, state_);
  }
  ApplyPaintOp(op, state_, painter_.get());
  replay_.push_back(std::move(op));
}

void QtCanvas::EndPainting() {
  if (painter_) painter_->end();
  painter_.reset();
}

void QtCanvas::RestartReplayList() {
  replay_.clear();
  replayStart_ = state_;
}

}  // namespace orbisk
