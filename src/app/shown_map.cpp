#include "app/shown_map.h"

#include <algorithm>
#include <exception>
#include <numbers>

#include "platform/error.h"
#include "polar_data/number_format.h"

namespace orbisk {

namespace {

// Coordinates with 5 significant digits, so that the whole line fits the
// window's first width; values with 6.
constexpr int kPointDigits = 5;
constexpr int kValueDigits = 6;

std::string Number(long double value, char decimalSeparator, int digits = kPointDigits) {
  std::string text = FormatDigits(value, digits);
  std::replace(text.begin(), text.end(), '.', decimalSeparator);
  return text;
}

}  // namespace

ShownMap::ShownMap(const MapPlacement& placement, Source source) : placement_(placement), source_(source) {}

ShownMap ShownMap::OfLines(const MapPlacement& placement) { return ShownMap(placement, Source::Lines); }

ShownMap ShownMap::OfGrid(const MapPlacement& placement, const PolarGrid& grid) {
  ShownMap map(placement, Source::Grid);
  map.grid_ = std::make_shared<const PolarGrid>(grid);
  return map;
}

ShownMap ShownMap::OfFormula(const MapPlacement& placement, const PolarGrid& grid, const FormulaEngine& engine) {
  ShownMap map(placement, Source::Formula);
  map.grid_ = std::make_shared<const PolarGrid>(grid);
  map.engine_ = engine;
  return map;
}

std::string ShownMap::TextAt(int px, int py, char decimalSeparator) {
  const std::optional<MapPoint> point = PointAtPixel(placement_, px, py);
  if (!point) return "";
  std::optional<GridPosition> position;
  if (source_ != Source::Lines) position = PositionInGrid(*grid_, *point);
  const long double fi = position ? position->fi : point->fi;
  auto n = [decimalSeparator](long double value) { return Number(value, decimalSeparator); };
  std::string text = "φ = " + n(fi * 180 / std::numbers::pi_v<long double>) + "° (" + n(fi) +
                     " rad)  r = " + n(point->r) + "  x = " + n(point->x) + "  y = " + n(point->y);
  if (source_ == Source::Lines) return text;
  if (!position) return text + "  outside the domain";
  return text + "  " + ValueAt(*point, *position, decimalSeparator);
}

std::string ShownMap::ValueAt(const MapPoint& point, const GridPosition& position, char decimalSeparator) {
  if (source_ == Source::Grid) {
    return "F ≈ " + Number(GridValueAt(*grid_, position), decimalSeparator, kValueDigits) + " (interpolated)";
  }
  try {
    return "F = " + Number(engine_->EvalFormula(static_cast<double>(point.x), static_cast<double>(point.y)),
                           decimalSeparator, kValueDigits);
  } catch (const std::exception& error) {
    return "F: " + MessageOf(error);
  }
}

}  // namespace orbisk
