#pragma once
// The map that the picture shows, kept as it was drawn, so that a pixel under
// the mouse can be read back as a point of the domain and a value there,
// whatever happens to the window's data afterwards.

#include <memory>
#include <optional>
#include <string>

#include "contour/draw_picture.h"
#include "contour/map_point.h"
#include "formula/formula_engine.h"
#include "polar_data/polar_grid.h"

namespace orbisk {

class ShownMap {
 public:
  // Contour lines of a Polar Data file: coordinates only.
  static ShownMap OfLines(const MapPlacement& placement);
  // A grid of a Cyl Data file: values interpolated between its nodes.
  static ShownMap OfGrid(const MapPlacement& placement, const PolarGrid& grid);
  // A grid sampled from a formula: the formula itself, compiled in engine,
  // evaluated at the point.
  static ShownMap OfFormula(const MapPlacement& placement, const PolarGrid& grid, const FormulaEngine& engine);

  // The status line at pixel (px, py): "φ = 90° (1.5708 rad)  r = 1.5  x = 0
  // y = 1.5", followed, inside the domain, by "  F = 2.5" (a formula; its
  // engine's error message after "F: " where it fails) or "  F ≈ 2.5
  // (interpolated)" (a grid), and outside it by "  outside the domain" (not
  // for lines). Inside the domain the angle is the sector's own (FiStart to
  // FiEnd), elsewhere -180° to 180°. Numbers %.5g, values %.6g, with
  // decimalSeparator. Empty off the map (the legend's strip). Not const: the
  // engine runs.
  std::string TextAt(int px, int py, char decimalSeparator);

 private:
  enum class Source { Lines, Grid, Formula };
  ShownMap(const MapPlacement& placement, Source source);

  // What follows the coordinates inside the domain.
  std::string ValueAt(const MapPoint& point, const GridPosition& position, char decimalSeparator);

  MapPlacement placement_;
  Source source_;
  std::shared_ptr<const PolarGrid> grid_;  // ~530 KB, copied once per drawing
  std::optional<FormulaEngine> engine_;
};

}  // namespace orbisk
