#pragma once
// What lies under a pixel of the picture: the domain point shown there,
// whether it lies in the grid's annulus sector, and the grid's value there.

#include <optional>

#include "contour/draw_picture.h"
#include "polar_data/polar_grid.h"

namespace orbisk {

struct MapPoint {
  long double x = 0, y = 0;
  long double r = 0;   // sqrt(x^2 + y^2)
  long double fi = 0;  // atan2(y, x), in -pi..pi

  bool operator==(const MapPoint&) const = default;
};

// The domain point shown at pixel (px, py) of a picture placed as placement:
// the inverse of the mapping of DrawPicture, so pixel (cx, cy) is the origin.
// nullopt on the legend's strip (px >= mapWidth) and when a scale is 0.
std::optional<MapPoint> PointAtPixel(const MapPlacement& placement, long double px, long double py);

// The grid position of point: its angle moved by whole turns into the sector
// from FiStart towards FiEnd, when it lies in the sector and its radius in
// RInt..RExt (ends included); nullopt outside, and for a grid without at
// least 2 x 2 points.
struct GridPosition {
  long double fi = 0;  // within FiStart..FiEnd
  long double r = 0;   // within RInt..RExt

  bool operator==(const GridPosition&) const = default;
};
std::optional<GridPosition> PositionInGrid(const PolarGrid& grid, const MapPoint& point);

// The grid's value at a position in it: linear in the angle and in the radius
// between the four surrounding nodes (a node's own value on a node).
double GridValueAt(const PolarGrid& grid, const GridPosition& position);

}  // namespace orbisk
