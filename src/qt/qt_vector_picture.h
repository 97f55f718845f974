#pragma once
// The picture as a vector file, SVG or PDF: the canvas calls since the last
// full repaint replayed with every shape at its exact position, so that a
// reader who zooms in sees smooth lines, and text kept as text. At 1:1 (96
// dots per inch) the file shows what the raster picture shows.

#include <string>

#include "qt/qt_canvas.h"

namespace orbisk {

// The bytes of an SVG file of width x height pixels (its view box).
std::string EncodeSvg(const QtCanvas& canvas, int width, int height);

// The bytes of a one-page PDF file whose page is width x height pixels at 96
// dots per inch (three quarters of a point each), with no margin.
std::string EncodePdf(const QtCanvas& canvas, int width, int height);

}  // namespace orbisk
