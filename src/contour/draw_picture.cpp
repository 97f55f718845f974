#include "contour/draw_picture.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "contour/angle_cache.h"
#include "contour/chain_geometry.h"
#include "contour/label_format.h"
#include "contour/legend.h"
#include "contour/level_key.h"
#include "contour/line_labels.h"
#include "platform/error.h"

namespace orbisk {

namespace {

struct Geometry {
  long double sx = 0;  // pixels per unit, horizontally
  long double sy = 0;  // pixels per unit, vertically
  int cx = 0;
  int cy = 0;

  // The exact pixel position of the point at p = (r cos(fi), r sin(fi)),
  // (cos(fi) r sx + cx, cy - sin(fi) r sy); the canvas rounds it to the
  // nearest pixel, ties to even.
  PixelPoint At(const PlanePoint& p) const { return {p.x * sx + cx, cy - p.y * sy}; }
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
  canvas.EllipseExact(g.cx, g.cy, radius * g.sx, radius * g.sy);
}

// The Cartesian positions of the points of polyline k, or none when it has
// no point. An entry may hold no list after a failed load; the two lists may
// even differ in length then: only what both lists hold counts.
std::vector<PlanePoint> PolylinePositions(const ContourStore& store, std::int32_t k, AngleCache& angles) {
  const TListExt* radii = store.LinesR.Get(k);
  const TListExt* fi = k < store.LinesFi.Count() ? store.LinesFi.Get(k) : nullptr;
  if (radii == nullptr || fi == nullptr) return {};
  const std::int32_t count = std::min(radii->Count(), fi->Count());
  std::vector<PlanePoint> positions(static_cast<std::size_t>(count));
  for (std::int32_t m = 0; m < count; ++m) {
    positions[static_cast<std::size_t>(m)] = angles.PositionOf(fi->Data()[m], radii->Data()[m]);
  }
  return positions;
}

// The pixel positions of the polyline at positions.
std::vector<PixelPoint> PixelPath(const Geometry& g, const std::vector<PlanePoint>& positions) {
  std::vector<PixelPoint> path(positions.size());
  for (std::size_t m = 0; m < positions.size(); ++m) path[m] = g.At(positions[m]);
  return path;
}

struct PlacedLabel {
  LineLabel label;
  std::size_t level;  // index in the level key
};

// How the polylines are drawn: all with the pen of the settings, or with a pen
// per level and labels on the lines.
struct LineStyle {
  Color color = 0;
  int width = 1;
  const LevelKey* key = nullptr;  // a pen per level when set
  LabelRoom* room = nullptr;      // labels when set (then key is set)
  std::vector<int> textWidths;    // of key->texts, with labels
  int textHeight = 0;
  std::vector<PlacedLabel> placed;
};

// The positions of polylines first..end-1 (entry k - first for polyline k),
// over the pool's threads in runs of polylines, a few per thread so that long
// and short ones even out; one run for a few polylines.
StorePositions PositionsOf(const ContourStore& store, std::int32_t first, std::int32_t end, ThreadPool& pool) {
  const std::int32_t count = end - first;
  StorePositions positions(static_cast<std::size_t>(count));
  constexpr std::int32_t kRunsPerThread = 4, kLeastPerRun = 64;
  const std::int32_t runs =
      std::clamp(count / kLeastPerRun, 1, static_cast<std::int32_t>(pool.Size()) * kRunsPerThread);
  pool.ParallelFor(static_cast<std::size_t>(runs), [&](std::size_t run, unsigned /*worker*/) {
    AngleCache angles;
    const auto from = static_cast<std::int32_t>(std::int64_t{count} * static_cast<std::int64_t>(run) / runs);
    const auto to = static_cast<std::int32_t>(std::int64_t{count} * static_cast<std::int64_t>(run + 1) / runs);
    for (std::int32_t k = from; k < to; ++k)
      positions[static_cast<std::size_t>(k)] = PolylinePositions(store, first + k, angles);
  });
  return positions;
}

// The end of the batch of polylines from `first` on whose positions are
// computed together: about kBatchPoints points, at least one polyline.
std::int32_t BatchEnd(const ContourStore& store, std::int32_t first) {
  constexpr std::int64_t kBatchPoints = 1 << 16;  // 2 MiB of positions
  std::int64_t points = 0;
  std::int32_t end = first;
  while (end < store.LinesR.Count() && points < kBatchPoints) {
    const TListExt* radii = store.LinesR.Get(end++);
    points += radii != nullptr ? radii->Count() : 0;
  }
  return end;
}

// Draws polylines first..end-1, polyline k at positions[k - first].
void DrawBatch(Canvas& canvas, const Geometry& g, const ContourStore& store, const StorePositions& positions,
               std::int32_t first, std::int32_t end, LineStyle& style, std::optional<Color>& pen) {
  for (std::int32_t k = first; k < end; ++k) {
    const std::vector<PixelPoint> path = PixelPath(g, positions[static_cast<std::size_t>(k - first)]);
    if (path.empty()) continue;
    const std::optional<long double> value = store.LevelOf(k);
    const std::size_t level = style.key && value ? style.key->IndexOf(*value) : LevelKey::kNone;
    const Color color = level != LevelKey::kNone ? style.key->colors[level] : style.color;
    if (style.key != nullptr && pen != color) canvas.SetPen(color, style.width);
    pen = color;
    std::vector<PixelBox> gaps;
    if (style.room != nullptr && level != LevelKey::kNone) {
      for (const LineLabel& label : PlaceLineLabels(path, style.textWidths[level], style.textHeight, *style.room)) {
        gaps.push_back(label.box);
        style.placed.push_back({label, level});
      }
    }
    DrawBrokenPolyline(canvas, path, gaps);
  }
}

void DrawPolylines(Canvas& canvas, const Geometry& g, const ContourStore& store, const StorePositions* positions,
                   LineStyle& style) {
  if (style.key == nullptr) canvas.SetPen(style.color, style.width);
  std::optional<Color> pen;
  const std::int32_t count = store.LinesR.Count();
  if (positions != nullptr) {
    DrawBatch(canvas, g, store, *positions, 0, count, style, pen);
    return;
  }
  // Without positions given, they are computed batch by batch, so that they
  // never take much memory at once: the next batch on another thread while
  // this one is drawn.
  ThreadPool& pool = SharedThreadPool();
  std::int32_t first = 0, end = BatchEnd(store, 0);
  StorePositions batch = PositionsOf(store, first, end, pool), next;
  while (first < count) {
    const std::int32_t nextEnd = BatchEnd(store, end);
    pool.Beside([&] { next = PositionsOf(store, end, nextEnd, pool); },
                [&] { DrawBatch(canvas, g, store, batch, first, end, style, pen); });
    std::swap(batch, next);
    first = end, end = nextEnd;
  }
}

std::string RatioCaption(const PolarGrid& grid, const PlotSettings& settings, char decimalSeparator) {
  long double ratio = grid.RInt / grid.RExt;
  if (!std::isfinite(ratio)) throw MathError(MathErrorKind::Overflow);
  return "a/b=" + FormatLabelNumber(settings.Label_Format, ratio, decimalSeparator);
}

void DrawLabel(Canvas& canvas, const PolarGrid& grid, const PlotSettings& settings, const FontSpec& labelFont,
               int width, char decimalSeparator) {
  std::string caption = RatioCaption(grid, settings, decimalSeparator);
  canvas.SetFont(labelFont);
  canvas.TextOut(width - canvas.TextWidth(caption) - 10, 5, caption);
}

// The picture's extent and the part the map takes.
struct Frame {
  int width = 0;
  int height = 0;
  int mapWidth = 0;  // the width less the legend's strip
  char decimalSeparator = '.';
  Geometry g;
};

// What line labels keep off: the axes and the ratio label; they stay in the
// map's part of the picture. The canvas font is the label font.
LabelRoom RoomForLabels(Canvas& canvas, const PolarGrid& grid, const PlotSettings& settings, const Frame& f) {
  std::vector<PixelBox> obstacles;
  if (settings.XY_Present) {
    const long double half = std::max(settings.XY_Width, 1) / 2 + 1;
    obstacles.push_back({0, f.g.cy - half, static_cast<long double>(f.mapWidth), f.g.cy + half});
    obstacles.push_back({f.g.cx - half, 0, f.g.cx + half, static_cast<long double>(f.height)});
  }
  if (settings.Label_Present) {
    try {
      const int right = f.width - 10;
      const int captionWidth = canvas.TextWidth(RatioCaption(grid, settings, f.decimalSeparator));
      obstacles.push_back({static_cast<long double>(right - captionWidth), 5, static_cast<long double>(right),
                           static_cast<long double>(5 + canvas.TextHeight())});
    } catch (const Error&) {
      // The caption cannot be written; the ratio label raises the error.
    }
  }
  const PixelBox map{0, 0, static_cast<long double>(f.mapWidth), static_cast<long double>(f.height)};
  return LabelRoom(map, std::move(obstacles));
}

// The values on the lines, over everything drawn so far, on an opaque
// background; the brush style is then what the ratio label expects.
void DrawLineLabels(Canvas& canvas, const LineStyle& style, BrushStyle brushAfter) {
  if (style.placed.empty()) return;
  canvas.SetBrushStyle(BrushStyle::Solid);
  for (const PlacedLabel& p : style.placed) canvas.TextOut(p.label.x, p.label.y, style.key->texts[p.level]);
  if (brushAfter != BrushStyle::Solid) canvas.SetBrushStyle(brushAfter);
}

// The contour polylines: with key, a pen per level and, with labels, the
// values on the lines.
void DrawContourLines(Canvas& canvas, const PolarGrid& grid, const ContourStore& store, const StorePositions* positions,
                      const PlotSettings& settings, const FontSpec& labelFont, const Frame& f, const LevelKey* key,
                      bool labels) {
  LineStyle style;
  style.color = settings.Function_Color;
  style.width = settings.Function_Width;
  style.key = key;
  std::optional<LabelRoom> room;
  if (key != nullptr && labels) {
    canvas.SetFont(labelFont);
    room = RoomForLabels(canvas, grid, settings, f);
    style.room = &*room;
    style.textHeight = canvas.TextHeight();
    for (const std::string& text : key->texts) style.textWidths.push_back(canvas.TextWidth(text));
  }
  DrawPolylines(canvas, f.g, store, positions, style);
  const bool circles = settings.IntCircle_Present || settings.ExtCircle_Present;
  DrawLineLabels(canvas, style, circles ? BrushStyle::Clear : BrushStyle::Solid);
}

// The legend of key in a picture of width x height, laid out in the label font.
LegendLayout LayOutLegend(Canvas& canvas, const LevelKey& key, std::vector<LegendEntry>& entries,
                          const PlotSettings& settings, const FontSpec& labelFont, int width, int height) {
  for (std::size_t i = 0; i < key.values.size(); ++i) entries.push_back({key.texts[i], key.colors[i]});
  canvas.SetFont(labelFont);
  return LayoutLegend(entries, canvas, width, height, settings.Label_Present);
}

}  // namespace

StorePositions PositionsOf(const ContourStore& store, ThreadPool& pool) {
  return PositionsOf(store, 0, store.LinesR.Count(), pool);
}

MapPlacement DrawPicture(PolarGrid& grid, const ContourStore& store, const PlotSettings& settings,
                         const FontSpec& labelFont, Canvas& canvas, int width, int height, char decimalSeparator,
                         const LevelDisplay& display, const StorePositions* positions) {
  assert(positions == nullptr || positions->size() == static_cast<std::size_t>(store.LinesR.Count()));
  if (grid.RExt == 0 && grid.RInt == 0) grid.RExt = LargestRadius(store);
  const bool showLevels = settings.Function_Present && store.HasLevels() && display != LevelDisplay{};
  const LevelKey key =
      showLevels ? MakeLevelKey(store, display, settings.Function_Color, decimalSeparator) : LevelKey{};
  std::vector<LegendEntry> legendEntries;
  LegendLayout legend;
  if (showLevels && display.Legend) {
    legend = LayOutLegend(canvas, key, legendEntries, settings, labelFont, width, height);
  }
  Frame f{width, height, width - legend.stripWidth, decimalSeparator, {}};
  f.g = ComputeGeometry(grid.RExt, f.mapWidth, height);

  canvas.SetBrushStyle(BrushStyle::Solid);
  canvas.FillRect(0, 0, width, height);
  if (settings.XY_Present) {
    canvas.SetPen(settings.XY_Color, settings.XY_Width);
    canvas.MoveTo(0, f.g.cy);
    canvas.LineTo(f.mapWidth, f.g.cy);
    canvas.MoveTo(f.g.cx, 0);
    canvas.LineTo(f.g.cx, height);
  }
  if (settings.IntCircle_Present) {
    DrawCircle(canvas, f.g, grid.RInt, settings.IntCircle_Color, settings.IntCircle_Width);
  }
  if (settings.ExtCircle_Present) {
    DrawCircle(canvas, f.g, grid.RExt, settings.ExtCircle_Color, settings.ExtCircle_Width);
  }
  if (settings.Function_Present) {
    DrawContourLines(canvas, grid, store, positions, settings, labelFont, f, showLevels ? &key : nullptr,
                     display.LineLabels);
  }
  if (!legend.rows.empty()) DrawLegend(canvas, legendEntries, legend);
  if (settings.Label_Present) DrawLabel(canvas, grid, settings, labelFont, width, decimalSeparator);
  return {f.g.sx, f.g.sy, f.g.cx, f.g.cy, f.mapWidth};
}

}  // namespace orbisk
