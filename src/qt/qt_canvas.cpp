#include "qt/qt_canvas.h"

#include <QPolygonF>

#include "platform/error.h"
#include "platform/heap_pages.h"

namespace orbisk {

namespace {

// The exact position a vector picture draws: clamped as RoundPixel clamps,
// NaN at 0, so that no file holds a number a reader cannot parse.
qreal ExactPixel(long double v) { return std::isnan(v) ? 0 : qreal(std::clamp(v, -kPixelLimit, kPixelLimit)); }

QPointF ExactPoint(long double x, long double y) { return QPointF(ExactPixel(x), ExactPixel(y)); }

}  // namespace

QtCanvas::QtCanvas() = default;

QtCanvas::~QtCanvas() { EndPainting(); }

void QtCanvas::SetPen(Color color, int width) { Run(paint_op::Pen{color, width}); }
void QtCanvas::SetBrushColor(Color color) { Run(paint_op::BrushColor{color}); }
void QtCanvas::SetBrushStyle(BrushStyle style) { Run(paint_op::Brush{style}); }
void QtCanvas::SetFont(const FontSpec& font) { Run(paint_op::Font{font}); }
void QtCanvas::MoveTo(int x, int y) { Run(paint_op::MoveTo{QPoint(x, y), QPointF(x, y)}); }
void QtCanvas::LineTo(int x, int y) { RunLine(paint_op::LineTo{QPoint(x, y), QPointF(x, y)}); }

void QtCanvas::Ellipse(int left, int top, int right, int bottom) {
  const QPointF centre((qreal(left) + right) / 2, (qreal(top) + bottom) / 2);
  Run(paint_op::Ellipse{left, top, right, bottom, centre, std::abs(qreal(right) - left) / 2,
                        std::abs(qreal(bottom) - top) / 2});
}

void QtCanvas::MoveToExact(long double x, long double y) {
  Run(paint_op::MoveTo{QPoint(RoundPixel(x), RoundPixel(y)), ExactPoint(x, y)});
}

void QtCanvas::LineToExact(long double x, long double y) {
  RunLine(paint_op::LineTo{QPoint(RoundPixel(x), RoundPixel(y)), ExactPoint(x, y)});
}

void QtCanvas::EllipseExact(int cx, int cy, long double rx, long double ry) {
  const int a = RoundPixel(rx);
  const int b = RoundPixel(ry);
  Run(paint_op::Ellipse{cx - a, cy - b, cx + a, cy + b, QPointF(cx, cy), std::abs(ExactPixel(rx)),
                        std::abs(ExactPixel(ry))});
}

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

int QtCanvas::TextHeight() { return TextHeightIn(state_.qfont); }

const QImage& QtCanvas::Image() {
  EndPainting();
  return image_;
}

QImage QtCanvas::BlankImage(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (static_cast<long long>(width) * height > kMaxPixels) throw Error("Out of memory");
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull() && width > 0 && height > 0) throw Error("Out of memory");
  return image;
}

void QtCanvas::Adopt(QImage image) {
  EndPainting();
  image_ = std::move(image);
}

void QtCanvas::Resize(int width, int height) {
  if (std::max(width, 0) == image_.width() && std::max(height, 0) == image_.height()) return;
  QImage resized = BlankImage(width, height);
  resized.fill(Qt::white);
  EndPainting();
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

void QtCanvas::KeepPixelsOnly() {
  keepsReplay_ = false;
  RestartReplayList();
}

void QtCanvas::Replay(QPainter& painter) const {
  if (!keepsReplay_) throw Error("Cannot paint the vector picture");
  PaintState state = replayStart_;
  PreparePainter(painter, state);
  // Runs of LineTo become one polyline each: the same lines, far fewer
  // elements in a vector file.
  QPolygonF run;
  std::size_t line = 0;
  auto addLines = [&](std::size_t end) {
    for (; line < end; ++line) {
      if (run.isEmpty()) run << state.exactPosition;
      run << lines_[line].exact;
      ApplyPaintOp(lines_[line], state, nullptr);
    }
  };
  auto flush = [&] {
    if (run.size() > 1) painter.drawPolyline(run.translated(VectorStrokeOffset(state.penWidth)));
    run.clear();
  };
  for (std::size_t k = 0; k < replay_.size(); ++k) {
    addLines(linesBefore_[k]);
    flush();
    ApplyPaintOp(replay_[k], state, &painter, PaintGeometry::Exact);
  }
  addLines(lines_.size());
  flush();
}

void QtCanvas::Run(PaintOp op) {
  Paint(op);
  if (!keepsReplay_) return;
  replay_.push_back(std::move(op));
  linesBefore_.push_back(lines_.size());
}

void QtCanvas::RunLine(const paint_op::LineTo& op) {
  constexpr std::size_t kMostPendingLines = 4096;
  if (IsOnePixelPen(state_) && BeginPainting()) {
    pendingLines_.emplace_back(state_.position, op.pixel);
    ApplyPaintOp(op, state_, nullptr);  // moves the position only
    if (pendingLines_.size() == kMostPendingLines) DrawPendingLines();
  } else {
    Paint(op);
  }
  if (!keepsReplay_) return;
  if (lines_.size() == lines_.capacity()) GrowLines();
  lines_.push_back(op);
}

// Twice the room, in a block advised for huge pages once it is big enough:
// a big map's lines take many megabytes, touched for the first time.
void QtCanvas::GrowLines() {
  std::vector<paint_op::LineTo> bigger;
  bigger.reserve(std::max<std::size_t>(2 * lines_.capacity(), 4096));
  AdviseHugePages(bigger.data(), bigger.capacity() * sizeof(paint_op::LineTo));
  bigger.assign(lines_.begin(), lines_.end());
  lines_.swap(bigger);
}

void QtCanvas::Paint(const PaintOp& op) {
  DrawPendingLines();
  BeginPainting();
  ApplyPaintOp(op, state_, painter_.get());
}

bool QtCanvas::BeginPainting() {
  if (!painter_ && !image_.isNull()) {
    painter_ = std::make_unique<QPainter>(&image_);
    PreparePainter(*painter_, state_);
  }
  return painter_ != nullptr;
}

void QtCanvas::DrawPendingLines() {
  if (pendingLines_.empty()) return;
  painter_->drawLines(pendingLines_.data(), static_cast<int>(pendingLines_.size()));
  pendingLines_.clear();
}

void QtCanvas::EndPainting() {
  DrawPendingLines();
  if (painter_) painter_->end();
  painter_.reset();
}

void QtCanvas::RestartReplayList() {
  replay_.clear();
  linesBefore_.clear();
  lines_.clear();
  replayStart_ = state_;
}

}  // namespace orbisk
