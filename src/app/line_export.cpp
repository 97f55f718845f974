#include "app/line_export.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "contour/angle_cache.h"
#include "platform/atomic_file.h"
#include "platform/error.h"
#include "platform/heap_pages.h"

namespace orbisk {

namespace {

struct LinePoint {
  double fi, r, x, y;
};

// The longest shortest text of a double ("-2.2250738585072014e-308") and of
// an index.
constexpr std::size_t kLongestNumber = 24;
constexpr std::size_t kLongestIndex = 10;

// Appends the shortest decimal text that reads back as value.
void AppendNumber(std::string& text, double value) {
  char digits[32];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  text.append(digits, result.ptr);
}

void AppendIndex(std::string& text, std::size_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  text.append(digits, result.ptr);
}

// The points of polyline k in double precision, or nullopt for an entry
// without lists. Raises for a value beyond double.
std::optional<std::vector<LinePoint>> PointsOf(const ContourStore& store, std::int32_t k, AngleCache& angles) {
  const TListExt* fi = store.LinesFi.Get(k);
  const TListExt* radii = k < store.LinesR.Count() ? store.LinesR.Get(k) : nullptr;
  if (fi == nullptr || radii == nullptr) return std::nullopt;
  std::vector<LinePoint> points;
  const std::int32_t count = std::min(fi->Count(), radii->Count());
  points.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (std::int32_t m = 0; m < count; ++m) {
    const long double angle = fi->Data()[m];
    const long double r = radii->Data()[m];
    const PlanePoint position = angles.PositionOf(angle, r);
    const LinePoint p{static_cast<double>(angle), static_cast<double>(r), static_cast<double>(position.x),
                      static_cast<double>(position.y)};
    if (!std::isfinite(p.fi) || !std::isfinite(p.r) || !std::isfinite(p.x) || !std::isfinite(p.y)) {
      throw Error(FormatMessage(FormatMessage("Line %d, point %d does not fit in a double", k), m));
    }
    points.push_back(p);
  }
  return points;
}

void AppendLevel(std::string& text, const ContourStore& store, std::int32_t k, const char* unknown) {
  const std::optional<long double> level = store.LevelOf(k);
  if (level) {
    AppendNumber(text, static_cast<double>(*level));
  } else {
    text += unknown;
  }
}

// Room for the whole text at once, from the most a polyline and a point may
// take: text for millions of points, grown by doubling, would be copied and
// its fresh pages touched about twice. Room never written costs no memory.
void ReserveFor(std::string& text, const ContourStore& store, std::size_t perLine, std::size_t perPoint) {
  std::size_t size = text.size();
  for (std::int32_t k = 0; k < store.LinesFi.Count(); ++k) {
    const TListExt* fi = store.LinesFi.Get(k);
    size += perLine + (fi != nullptr ? static_cast<std::size_t>(fi->Count()) * perPoint : 0);
  }
  text.reserve(size);
  AdviseHugePages(text.data(), text.capacity());
}

void AppendGeometry(std::string& text, const std::optional<std::vector<LinePoint>>& points) {
  if (!points || points->empty()) {
    text += "null";
    return;
  }
  auto position = [&](const LinePoint& p) {
    text += '[';
    AppendNumber(text, p.x);
    text += ',';
    AppendNumber(text, p.y);
    text += ']';
  };
  if (points->size() == 1) {
    text += R"({"type":"Point","coordinates":)";
    position(points->front());
    text += '}';
    return;
  }
  text += R"({"type":"LineString","coordinates":[)";
  for (std::size_t m = 0; m < points->size(); ++m) {
    if (m > 0) text += ',';
    position((*points)[m]);
  }
  text += "]}";
}

}  // namespace

std::string FormatLinesGeoJson(const ContourStore& store) {
  std::string text = R"({"type":"FeatureCollection","features":[)";
  ReserveFor(text, store, 128 + kLongestIndex + kLongestNumber, 2 * kLongestNumber + 4);
  AngleCache angles;
  for (std::int32_t k = 0; k < store.LinesFi.Count(); ++k) {
    text += k == 0 ? "\n" : ",\n";
    text += R"({"type":"Feature","properties":{"line":)";
    AppendIndex(text, static_cast<std::size_t>(k));
    text += R"(,"level":)";
    AppendLevel(text, store, k, "null");
    text += R"(},"geometry":)";
    AppendGeometry(text, PointsOf(store, k, angles));
    text += '}';
  }
  text += "\n]}\n";
  return text;
}

std::string FormatLinesCsv(const ContourStore& store) {
  std::string text = "level,line,point,phi,r,x,y\r\n";
  ReserveFor(text, store, 0, 5 * kLongestNumber + 2 * kLongestIndex + 8);
  AngleCache angles;
  std::string lead;
  for (std::int32_t k = 0; k < store.LinesFi.Count(); ++k) {
    const std::optional<std::vector<LinePoint>> points = PointsOf(store, k, angles);
    if (!points) continue;
    lead.clear();
    AppendLevel(lead, store, k, "");
    lead += ',';
    AppendIndex(lead, static_cast<std::size_t>(k));
    lead += ',';
    for (std::size_t m = 0; m < points->size(); ++m) {
      const LinePoint& p = (*points)[m];
      text += lead;
      AppendIndex(text, m);
      for (double value : {p.fi, p.r, p.x, p.y}) {
        text += ',';
        AppendNumber(text, value);
      }
      text += "\r\n";
    }
  }
  return text;
}

void SaveLines(const std::string& path, const ContourStore& store, LineFormat format) {
  WriteFileAtomically(path, format == LineFormat::GeoJson ? FormatLinesGeoJson(store) : FormatLinesCsv(store));
}

}  // namespace orbisk
