#pragma once
// The picture bitmap on Qt: a QImage drawn through QtCanvas, saved as BMP, PNG,
// SVG or PDF, and copied to the clipboard. Needs a QGuiApplication (for fonts).

#include <QImage>

#include "platform/canvas.h"
#include "qt/qt_canvas.h"

namespace orbisk {

class QtBitmap : public Bitmap {
 public:
  // A white picture of the given size.
  QtBitmap(int width = 0, int height = 0);
  // The picture white holds, from QtCanvas::BlankImage filled white (made
  // perhaps before the application), at the resolution of a picture made now.
  explicit QtBitmap(QImage white);

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetWidth(int width) override;
  void SetHeight(int height) override;
  Canvas& GetCanvas() override { return canvas_; }
  void Whiteness() override;
  void SaveToFile(const std::string& path) override;
  void CopyToClipboard() override;

  // For a picture saved as BMP or PNG only: see QtCanvas::KeepPixelsOnly.
  void KeepPixelsOnly() { canvas_.KeepPixelsOnly(); }
  // The picture as painted so far.
  const QImage& Image() { return canvas_.Image(); }
  // The file bytes of the picture in each format.
  std::string BmpBytes();
  std::string PngBytes();
  std::string SvgBytes();
  std::string PdfBytes();

 private:
  QtCanvas canvas_;
  int width_ = 0;  // as set; negative sizes count as 0
  int height_ = 0;
};

}  // namespace orbisk
