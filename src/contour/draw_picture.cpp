#include "contour/draw_picture.h"

#include <algorithm>
#include <cmath>

#include "contour/label_format.h"
#include "platform/error.h"

namespace orbisk {

namespace {

// Pixel coordinates beyond this are clamped: far beyond any picture, and
// small enough that the canvas's own arithmetic cannot overflow.
constexpr long double kPixelLimit = 1 << 24;

// Nearest integer, ties to even, clamped into the canvas's range.
int RoundPixel(long double v) {
  if (std::isnan(v)) return 0;
  v = std::clamp(v, -kPixelLimit, kPixelLimit);
  return static_cast<int>(std::llrint(v));
}

struct Geometry {
  long double sx = 0;  // pixels per unit, horizontally
  long double sy = 0;  // pixels per unit, vertically
  int cx = 0;
  int cy = 0;

  int PixelX(long double fi, long double r) const { return RoundPixel(std::cos(fi) * r * sx + cx); }
  int PixelY(long double fi, long double r) const { return RoundPixel(cy - std::sin(fi) * r * sy); }
};

// The largest radius of every point of every polyline, or 0 when none is > 0.
long double LargestRadius(const ContourStore& store) {
  long double largest = 0;
  for (std::int32_t k = 0; k < store.LinesR.Count(); ++k) {
    const TListExt* radii = store.LinesR.Get(k);
    if (radii == nullptr) continue;
    const long double* r = radii->Data();
    for (std::int32_t m = 0; m < radii->Count(); ++m) largest = std::max(largest, r[m]);
  }
  return largest;
}

// ((extent - 20) * 0.5) / rext, with the platform's division faults.
long double Scale(int extent, long double rext) {
  long double half = (static_cast<long double>(extent) - 20) * 0.5L;
  if (rext == 0) {
    throw MathError(half == 0 ? MathErrorKind::InvalidOperation : MathErrorKind::DivisionByZero);
  }
  long double scale = half / rext;
  if (!std::isfinite(scale)) throw MathError(MathErrorKind::Overflow);
  return scale;
}

Geometry ComputeGeometry(long double rext, int width, int height) {
  Geometry g;
  g.sx = Scale(width, rext);
  g.sy = Scale(height, rext);
  g.cx = width / 2;
  g.cy = height / 2;
  return g;
}

void DrawCircle(Canvas& canvas, const Geometry& g, long double radius, Color color, int penWidth) {
  canvas.SetBrushStyle(BrushStyle::Clear);
  canvas.SetPen(color, penWidth);
  int rx = RoundPixel(radius * g.sx);
  int ry = RoundPixel(radius * g.sy);
  canvas.Ellipse(g.cx - rx, g.cy - ry, g.cx + rx, g.cy + ry);
}

void DrawPolylines(Canvas& canvas, const Geometry& g, const ContourStore& store) {
  for (std::int32_t k = 0; k < store.LinesR.Count(); ++k) {
    const TListExt* radii = store.LinesR.Get(k);
    // An entry may hold no list after a failed load; the two lists may even
    // differ in length then. Draw only what both lists hold.
    const TListExt* angles = k < store.LinesFi.Count() ? store.LinesFi.Get(k) : nullptr;
    if (radii == nullptr || angles == nullptr) continue;
    std::int32_t count = std::min(radii->Count(), angles->Count());
    if (count == 0) continue;
    const long double* r = radii->Data();
    const long double* fi = angles->Data();
    canvas.MoveTo(g.PixelX(fi[0], r[0]), g.PixelY(fi[0], r[0]));
    for (std::int32_t m = 1; m < count; ++m) canvas.LineTo(g.PixelX(fi[m], r[m]), g.PixelY(fi[m], r[m]));
  }
}

void DrawLabel(Canvas& canvas, const PolarGrid& grid, const PlotSettings& settings, const FontSpec& labelFont,
               int width, char decimalSeparator) {
  long double ratio = grid.RInt / grid.RExt;
  if (!std::isfinite(ratio)) throw MathError(MathErrorKind::Overflow);
  std::string caption = "a/b=" + FormatLabelNumber(settings.Label_Format, ratio, decimalSeparator);
  canvas.SetFont(labelFont);
  canvas.TextOut(width - canvas.TextWidth(caption) - 10, 5, caption);
}

}  // namespace

void DrawPicture(PolarGrid& grid, const ContourStore& store, const PlotSettings& settings, const FontSpec& labelFont,
                 Canvas& canvas, int width, int height, char decimalSeparator) {
  if (grid.RExt == 0 && grid.RInt == 0) grid.RExt = LargestRadius(store);
  const Geometry g = ComputeGeometry(grid.RExt, width, height);

  canvas.SetBrushStyle(BrushStyle::Solid);
  canvas.FillRect(0, 0, width, height);
  if (settings.XY_Present) {
    canvas.SetPen(settings.XY_Color, settings.XY_Width);
    canvas.MoveTo(0, g.cy);
    canvas.LineTo(width, g.cy);
    canvas.MoveTo(g.cx, 0);
    canvas.LineTo(g.cx, height);
  }
  if (settings.IntCircle_Present) {
    DrawCircle(canvas, g, grid.RInt, settings.IntCircle_Color, settings.IntCircle_Width);
  }
  if (settings.ExtCircle_Present) {
    DrawCircle(canvas, g, grid.RExt, settings.ExtCircle_Color, settings.ExtCircle_Width);
  }
  if (settings.Function_Present) {
    canvas.SetPen(settings.Function_Color, settings.Function_Width);
    DrawPolylines(canvas, g, store);
  }
  if (settings.Label_Present) DrawLabel(canvas, grid, settings, labelFont, width, decimalSeparator);
}

}  // namespace orbisk
