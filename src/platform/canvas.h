#pragma once
// A raster canvas in the manner of the platform's drawing layer: a current pen,
// brush and font, and integer pixel coordinates; shapes may also be given at
// positions with a fraction, which a raster canvas rounds and a vector picture
// keeps.

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/color.h"

namespace orbisk {

// Pixel positions beyond this are clamped: far beyond any picture, and small
// enough that a canvas's own arithmetic cannot overflow.
inline constexpr long double kPixelLimit = 1 << 24;

// The pixel of a position computed in extended precision: the nearest integer,
// ties to even, clamped to +-kPixelLimit; NaN gives 0.
inline int RoundPixel(long double v) {
  if (std::isnan(v)) return 0;
  v = std::clamp(v, -kPixelLimit, kPixelLimit);
  return static_cast<int>(std::llrint(v));
}

enum class BrushStyle {
  Solid,  // fills rectangles and ellipses, gives text an opaque background
  Clear,  // fills nothing, text background transparent
};

// A font's properties; size in points at 96 dots per inch.
struct FontSpec {
  std::string name = "Arial Cyr";
  int size = 12;
  Color color = 0;  // the platform's window-text colour by default
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;

  bool operator==(const FontSpec&) const = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void SetPen(Color color, int width) = 0;
  // The brush colour stays at the canvas default, white, unless set.
  virtual void SetBrushColor(Color color) = 0;
  virtual void SetBrushStyle(BrushStyle style) = 0;
  // The font takes over every property of font.
  virtual void SetFont(const FontSpec& font) = 0;

  // Fills the rectangle [left, right) x [top, bottom) with the brush.
  virtual void FillRect(int left, int top, int right, int bottom) = 0;
  virtual void MoveTo(int x, int y) = 0;
  // A line from the current position to (x, y) with the pen; (x, y) becomes the
  // current position.
  virtual void LineTo(int x, int y) = 0;
  // An ellipse in the bounding rectangle, outlined with the pen and filled with
  // the brush.
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  // Text with its top-left corner at (x, y) in the current font; the brush
  // decides whether its background is opaque.
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  // Width in pixels of text in the current font.
  virtual int TextWidth(const std::string& text) = 0;
  // Height in pixels of a line of text in the current font (what TextOut
  // covers with an opaque background).
  virtual int TextHeight() = 0;

  // MoveTo and LineTo at a position with its fraction. A raster canvas draws
  // exactly what MoveTo/LineTo draw at RoundPixel of it; a vector picture
  // keeps the fraction.
  virtual void MoveToExact(long double x, long double y) { MoveTo(RoundPixel(x), RoundPixel(y)); }
  virtual void LineToExact(long double x, long double y) { LineTo(RoundPixel(x), RoundPixel(y)); }
  // The ellipse of centre (cx, cy) and radii rx, ry: on a raster canvas
  // exactly Ellipse over the centre plus and minus the rounded radii.
  virtual void EllipseExact(int cx, int cy, long double rx, long double ry) {
    const int a = RoundPixel(rx);
    const int b = RoundPixel(ry);
    Ellipse(cx - a, cy - b, cx + a, cy + b);
  }
};

// The picture bitmap: every drawing goes into it, the view shows it 1:1.
class Bitmap {
 public:
  virtual ~Bitmap() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int width) = 0;
  virtual void SetHeight(int height) = 0;
  virtual Canvas& GetCanvas() = 0;

  // Sets every pixel white, ignoring the old content.
  virtual void Whiteness() = 0;
  // Writes the picture to a file, by the file's extension: ".png" PNG, ".svg"
  // SVG, ".pdf" PDF (both vector pictures with the shapes at their exact
  // positions), anything else an uncompressed 24-bit BMP. The file is replaced
  // atomically; a file that cannot be created raises FileError with
  // "Не могу создать файл %s".
  virtual void SaveToFile(const std::string& path) = 0;
  // Puts the picture on the clipboard as an image.
  virtual void CopyToClipboard() = 0;
};

}  // namespace orbisk
