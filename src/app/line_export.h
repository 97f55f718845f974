#pragma once
// The contour lines as data for other tools: GeoJSON and CSV. Numbers are
// written as the shortest decimal that reads back as the same double.

#include <string>

#include "store/contour_store.h"

namespace orbisk {

enum class LineFormat { GeoJson, Csv };

// A GeoJSON FeatureCollection with one feature per polyline, in the store's
// order: properties {"line": k, "level": the level, or null when the
// polylines came without levels}; geometry a LineString of [x, y] positions
// (x = r cos fi, y = r sin fi), a Point for a polyline of one point, null for
// an empty entry. Raises Error "Line %d, point %d does not fit in a double"
// for a value beyond double (lines and points count from 0).
std::string FormatLinesGeoJson(const ContourStore& store);

// CSV with the header "level,line,point,phi,r,x,y" and one row per point,
// lines ending in CR LF; the level field is empty when unknown. Raises as
// FormatLinesGeoJson does.
std::string FormatLinesCsv(const ContourStore& store);

// Writes the lines of store to path in format, replacing the file atomically
// (WriteFileAtomically, with its errors).
void SaveLines(const std::string& path, const ContourStore& store, LineFormat format);

}  // namespace orbisk
