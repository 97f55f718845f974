#pragma once
// Painting the whole picture: background, axes, the two boundary circles, the
// contour polylines and the ratio label "a/b=", scaled so that the external
// circle keeps a 10-pixel margin to every edge.

#include <vector>

#include "contour/chain_geometry.h"
#include "contour/plot_settings.h"
#include "platform/canvas.h"
#include "platform/thread_pool.h"
#include "polar_data/polar_grid.h"
#include "store/contour_store.h"

namespace orbisk {

// Where DrawPicture put the map: the domain point (x, y) lies at pixel
// position (x * sx + cx, cy - y * sy), rounded to the nearest pixel; so the
// pixel (px, py) shows x = (px - cx) / sx, y = (cy - py) / sy. Pixels at or
// right of mapWidth belong to the legend.
struct MapPlacement {
  long double sx = 0;
  long double sy = 0;
  int cx = 0;
  int cy = 0;
  int mapWidth = 0;

  bool operator==(const MapPlacement&) const = default;
};

// The Cartesian positions (r cos(fi), r sin(fi)) of the points of every
// polyline of the store, in extended precision, as the picture places them;
// computed over the pool's threads.
using StorePositions = std::vector<std::vector<PlanePoint>>;
StorePositions PositionsOf(const ContourStore& store, ThreadPool& pool = SharedThreadPool());

// Paints the picture of width x height pixels onto canvas. When grid.RInt and
// grid.RExt are both 0, grid.RExt becomes the largest radius of the store
// (which is why grid is not const). labelFont is the label font object: its
// name and size follow settings.Label_FontName/Label_FontSize, colour and style
// are the run's own. decimalSeparator is the locale's, used in the label.
// Raises MathError when RExt is 0 (before anything is painted) and InputError
// for a bad Label_Format (after everything but the label is painted).
//
// display adds what it turns on for polylines that know their level: colours
// by level, the values on the lines (in the label font, off each other, the
// axes and the ratio label, each line broken under its labels) and the
// legend, a strip at the right edge of the picture (see legend.h); the map is
// then scaled into the rest of the width, and the horizontal axis ends where
// the strip begins. A bad display.ValueFormat raises InputError before
// anything is painted. With display all off the calls are exactly those of
// the plain picture.
//
// Returns where the map lies, so that a pixel can be told back in the domain.
//
// positions, when given, are PositionsOf(store), computed beforehand (a batch
// job computes them beside the application's start); else DrawPicture
// computes them.
MapPlacement DrawPicture(PolarGrid& grid, const ContourStore& store, const PlotSettings& settings,
                         const FontSpec& labelFont, Canvas& canvas, int width, int height, char decimalSeparator,
                         const LevelDisplay& display = {}, const StorePositions* positions = nullptr);

}  // namespace orbisk
