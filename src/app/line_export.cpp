#include "app/line_export.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/error.h"

namespace orbisk {

namespace {

struct LinePoint {
  double fi, r, x, y;
};

// Shortest decimal text that reads back as value.
std::string Number(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

// The points of polyline k in double precision, or nullopt for an entry
// without lists. Raises for a value beyond double.
std::optional<std::vector<LinePoint>> PointsOf(const ContourStore& store, std::int32_t k) {
  const TListExt* angles = store.LinesFi.Get(k);
  const TListExt* radii = k < store.LinesR.Count() ? store.LinesR.Get(k) : nullptr;
  if (angles == nullptr || radii == nullptr) return std::nullopt;
  std::vector<LinePoint> points;
  const std::int32_t count = std::min(angles->Count(), radii->Count());
  for (std::int32_t m = 0; m < count; ++m) {
    const long double fi = angles->Data()[m];
    const long double r = radii->Data()[m];
    const LinePoint p{static_cast<double>(fi), static_cast<double>(r), static_cast<double>(std::cos(fi) * r),
                      static_cast<double>(std::sin(fi) * r)};
    if (!std::isfinite(p.fi) || !std::isfinite(p.r) || !std::isfinite(p.x) || !std::isfinite(p.y)) {
      throw Error(FormatMessage(FormatMessage("Line %d, point %d does not fit in a double", k), m));
    }
    points.push_back(p);
  }
  return points;
}

std::string LevelText(const ContourStore& store, std::int32_t k, const char* unknown) {
  const std::optional<long double> level = store.LevelOf(k);
  return level ? Number(static_cast<double>(*level)) : unknown;
}

std::string Geometry(const std::optional<std::vector<LinePoint>>& points) {
  if (!points || points->empty()) return "null";
  auto position = [](const LinePoint& p) { return "[" + Number(p.x) + "," + Number(p.y) + "]"; };
  if (points->size() == 1) return R"({"type":"Point","coordinates":)" + position(points->front()) + "}";
  std::string text = R"({"type":"LineString","coordinates":[)";
  for (std::size_t m = 0; m < points->size(); ++m) text += (m == 0 ? "" : ",") + position((*points)[m]);
  return text + "]}";
}

}  // namespace

std::string FormatLinesGeoJson(const ContourStore& store) {
  std::string text = R"({"type":"FeatureCollection","features":[)";
  for (std::int32_t k = 0; k < store.LinesFi.Count(); ++k) {
    text += k == 0 ? "\n" : ",\n";
    text += R"({"type":"Feature","properties":{"line":)" + std::to_string(k) + R"(,"level":)" +
            LevelText(store, k, "null") + R"(},"geometry":)" + Geometry(PointsOf(store, k)) + "}";
  }
  return text + "\n]}\n";
}

std::string FormatLinesCsv(const ContourStore& store) {
  std::string text = "level,line,point,phi,r,x,y\r\n";
  for (std::int32_t k = 0; k < store.LinesFi.Count(); ++k) {
    const std::string lead = LevelText(store, k, "") + "," + std::to_string(k) + ",";
    const std::optional<std::vector<LinePoint>> points = PointsOf(store, k);
    if (!points) continue;
    for (std::size_t m = 0; m < points->size(); ++m) {
      const LinePoint& p = (*points)[m];
      text += lead + std::to_string(m) + "," + Number(p.fi) + "," + Number(p.r) + "," + Number(p.x) + "," +
              Number(p.y) + "\r\n";
    }
  }
  return text;
}

void SaveLines(const std::string& path, const ContourStore& store, LineFormat format) {
  WriteFileAtomically(path, format == LineFormat::GeoJson ? FormatLinesGeoJson(store) : FormatLinesCsv(store));
}

}  // namespace orbisk
