#include "contour/line_labels.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace orbisk {

namespace {

// Lengths along a path: at[m] is the length from point 0 to point m.
class PathMeasure {
 public:
  explicit PathMeasure(const std::vector<PixelPoint>& path) : path_(path), at_(path.size(), 0) {
    for (std::size_t m = 1; m < path.size(); ++m) {
      at_[m] = at_[m - 1] + std::hypot(path[m].x - path[m - 1].x, path[m].y - path[m - 1].y);
    }
  }

  long double Length() const { return at_.empty() ? 0 : at_.back(); }

  // The point at length s along the path (0 <= s <= Length()).
  PixelPoint PointAt(long double s) const {
    const auto m = static_cast<std::size_t>(std::lower_bound(at_.begin(), at_.end(), s) - at_.begin());
    if (m == 0) return path_.front();
    if (m == at_.size()) return path_.back();
    const long double piece = at_[m] - at_[m - 1];
    const long double f = piece > 0 ? (s - at_[m - 1]) / piece : 0;
    const PixelPoint& a = path_[m - 1];
    const PixelPoint& b = path_[m];
    return {a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f};
  }

 private:
  const std::vector<PixelPoint>& path_;
  std::vector<long double> at_;
};

LineLabel LabelCentredAt(const PixelPoint& centre, int width, int height) {
  LineLabel label;
  label.x = RoundPixel(centre.x - width / 2.0L);
  label.y = RoundPixel(centre.y - height / 2.0L);
  label.box = {static_cast<long double>(label.x - kLabelMargin), static_cast<long double>(label.y - kLabelMargin),
               static_cast<long double>(label.x + width + kLabelMargin),
               static_cast<long double>(label.y + height + kLabelMargin)};
  return label;
}

// The first label that fits within reach of aim: aim, then aim + stride,
// aim - stride, aim + 2 stride, ... skipping points nearer than margin to an
// end of the path.
std::optional<LineLabel> FirstFit(const PathMeasure& measure, long double aim, long double reach, long double margin,
                                  int width, int height, const LabelRoom& room) {
  const long double stride = std::max(1.0L, height / 2.0L);
  for (long double offset = 0; offset <= reach; offset += stride) {
    for (long double s : {aim + offset, aim - offset}) {
      if (s < margin || s > measure.Length() - margin) continue;
      const LineLabel label = LabelCentredAt(measure.PointAt(s), width, height);
      if (room.Fits(label.box)) return label;
    }
  }
  return std::nullopt;
}

// The part [t0, t1] of the segment from a to b that lies inside box, when it
// has a length (Liang and Barsky's clipping).
bool ClipToBox(const PixelPoint& a, const PixelPoint& b, const PixelBox& box, long double& t0, long double& t1) {
  const long double dx = b.x - a.x;
  const long double dy = b.y - a.y;
  const long double p[] = {-dx, dx, -dy, dy};
  const long double q[] = {a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
  t0 = 0;
  t1 = 1;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const long double r = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, r);
    if (p[i] > 0) t1 = std::min(t1, r);
  }
  return t0 < t1 || (dx == 0 && dy == 0 && t0 <= t1);
}

struct Interval {
  long double from, to;
};

// The parts of the segment from a to b outside every gap, in order.
std::vector<Interval> VisibleParts(const PixelPoint& a, const PixelPoint& b, const std::vector<PixelBox>& gaps) {
  std::vector<Interval> hidden;
  for (const PixelBox& gap : gaps) {
    long double t0 = 0, t1 = 0;
    if (ClipToBox(a, b, gap, t0, t1)) hidden.push_back({t0, t1});
  }
  std::sort(hidden.begin(), hidden.end(), [](const Interval& l, const Interval& r) { return l.from < r.from; });
  std::vector<Interval> visible;
  long double from = 0;
  for (const Interval& h : hidden) {
    if (h.from > from) visible.push_back({from, h.from});
    from = std::max(from, h.to);
  }
  if (from < 1) visible.push_back({from, 1});
  return visible;
}

PixelPoint Along(const PixelPoint& a, const PixelPoint& b, long double t) {
  if (t == 1) return b;
  return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

}  // namespace

bool PixelBox::Overlaps(const PixelBox& o) const {
  return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
}

bool PixelBox::Inside(const PixelBox& area) const {
  return area.left <= left && right <= area.right && area.top <= top && bottom <= area.bottom;
}

LabelRoom::LabelRoom(const PixelBox& area, std::vector<PixelBox> obstacles)
    : area_(area), obstacles_(std::move(obstacles)) {}

bool LabelRoom::Fits(const PixelBox& box) const {
  if (!box.Inside(area_)) return false;
  for (const PixelBox& obstacle : obstacles_) {
    if (box.Overlaps(obstacle)) return false;
  }
  for (std::int64_t cell : CellsOf(box)) {
    const auto found = taken_.find(cell);
    if (found == taken_.end()) continue;
    for (const PixelBox& other : found->second) {
      if (box.Overlaps(other)) return false;
    }
  }
  return true;
}

void LabelRoom::Take(const PixelBox& box) {
  for (std::int64_t cell : CellsOf(box)) taken_[cell].push_back(box);
}

std::vector<std::int64_t> LabelRoom::CellsOf(const PixelBox& box) const {
  auto cell = [](long double v) { return static_cast<std::int64_t>(std::floor(v / kCell)); };
  std::vector<std::int64_t> cells;
  for (std::int64_t cx = cell(box.left); cx <= cell(box.right); ++cx) {
    for (std::int64_t cy = cell(box.top); cy <= cell(box.bottom); ++cy) cells.push_back(cx << 32 ^ (cy & 0xFFFFFFFF));
  }
  return cells;
}

std::vector<LineLabel> PlaceLineLabels(const std::vector<PixelPoint>& path, int textWidth, int textHeight,
                                       LabelRoom& room) {
  std::vector<LineLabel> labels;
  if (path.size() < 2 || textWidth <= 0 || textHeight <= 0) return labels;
  const PathMeasure measure(path);
  const long double length = measure.Length();
  const long double boxWidth = textWidth + 2 * kLabelMargin;
  if (!(length >= kShortLineFactor * boxWidth) || !std::isfinite(length)) return labels;
  const long double n =
      std::clamp(std::floor(length / kLabelSpacing), 1.0L, static_cast<long double>(kMaxLabelsPerLine));
  const long double reach = std::min(length / (2 * n), kLabelSpacing / 2.0L);
  for (long double j = 0; j < n; ++j) {
    const long double aim = (j + 0.5L) * length / n;
    if (auto label = FirstFit(measure, aim, reach, boxWidth / 2, textWidth, textHeight, room)) {
      room.Take(label->box);
      labels.push_back(*label);
    }
  }
  return labels;
}

void DrawBrokenPolyline(Canvas& canvas, const std::vector<PixelPoint>& path, const std::vector<PixelBox>& gaps) {
  if (path.empty()) return;
  canvas.MoveToExact(path[0].x, path[0].y);
  if (gaps.empty()) {  // most often: every segment whole, without working out its parts
    for (std::size_t m = 1; m < path.size(); ++m) canvas.LineToExact(path[m].x, path[m].y);
    return;
  }
  bool penAtStart = true;  // the pen stands at the start of the next segment
  for (std::size_t m = 1; m < path.size(); ++m) {
    const PixelPoint& a = path[m - 1];
    const PixelPoint& b = path[m];
    bool penAtEnd = false;
    for (const Interval& part : VisibleParts(a, b, gaps)) {
      if (part.from != 0 || !penAtStart) {
        const PixelPoint from = Along(a, b, part.from);
        canvas.MoveToExact(from.x, from.y);
      }
      const PixelPoint to = Along(a, b, part.to);
      canvas.LineToExact(to.x, to.y);
      penAtEnd = part.to == 1;
    }
    penAtStart = penAtEnd;
  }
}

}  // namespace orbisk
