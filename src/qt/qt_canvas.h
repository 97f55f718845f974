#pragma once
// The canvas of the picture bitmap: a QPainter on a 32-bit QImage, with the
// list of calls since the last full repaint kept for replaying onto a vector
// picture.

#include <QImage>
#include <QPainter>
#include <memory>
#include <vector>

#include "platform/canvas.h"
#include "qt/qt_paint_ops.h"

namespace orbisk {

class QtCanvas : public Canvas {
 public:
  QtCanvas();
  ~QtCanvas() override;

  void SetPen(Color color, int width) override;
  void SetBrushColor(Color color) override;
  void SetBrushStyle(BrushStyle style) override;
  void SetFont(const FontSpec& font) override;
  void FillRect(int left, int top, int right, int bottom) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight() override;
  void MoveToExact(long double x, long double y) override;
  void LineToExact(long double x, long double y) override;
  void EllipseExact(int cx, int cy, long double rx, long double ry) override;

  // The picture, with every call so far painted.
  const QImage& Image();
  // Replaces the picture by one of the given size: the old content at the
  // top left, white elsewhere. Raises Error "Out of memory" for more than
  // kMaxPixels pixels or when the memory cannot be had; the picture is then
  // unchanged.
  void Resize(int width, int height);
  // A picture for Resize or Adopt, not yet filled, with Resize's limits and
  // errors. Needs no application: a batch job fills it while the application
  // starts.
  static QImage BlankImage(int width, int height);
  // Replaces the picture by image, as it is.
  void Adopt(QImage image);
  // The most pixels a picture may have: 16384 x 16384, 1 GiB at 4 bytes each.
  static constexpr long long kMaxPixels = 1LL << 28;
  // Every pixel white; the replay list starts afresh.
  void Whiten();
  // Paints, onto a painter begun on a white device of the picture's size, the
  // calls since the last full repaint, the shapes at their exact positions
  // (for a vector picture).
  void Replay(QPainter& painter) const;
  // Keeps no replay list from now on, for a picture wanted as pixels only (a
  // BMP or PNG file); Replay then raises Error.
  void KeepPixelsOnly();

 private:
  void Run(PaintOp op);
  // A line, the most frequent call by far: drawn (with a one-pixel pen, in
  // runs) and kept in the compact list of lines.
  void RunLine(const paint_op::LineTo& op);
  void GrowLines();
  void Paint(const PaintOp& op);
  // The painter on the picture, begun when first needed; false when there is
  // no picture to paint on.
  bool BeginPainting();
  void DrawPendingLines();
  void EndPainting();
  void RestartReplayList();

  QImage image_;
  std::unique_ptr<QPainter> painter_;  // active on image_ between calls, or null
  // Lines of a one-pixel pen not yet drawn: Qt draws a run of them in one
  // call, each as a call of its own would, without the setup per call.
  std::vector<QLine> pendingLines_;
  PaintState state_;
  PaintState replayStart_;  // state when the replay list began
  // The replay list: the calls other than lines, each after the lines
  // before it, lines_[0 .. linesBefore_[k]) for replay_[k]. A line takes 24
  // bytes there rather than the 56 of a call, which a big map's hundreds of
  // thousands of lines make worth it.
  std::vector<PaintOp> replay_;
  std::vector<std::size_t> linesBefore_;
  std::vector<paint_op::LineTo> lines_;
  bool keepsReplay_ = true;
};

}  // namespace orbisk
