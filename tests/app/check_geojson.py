#!/usr/bin/env python3
"""Checks a GeoJSON file of contour lines with Python's own JSON reader.

Usage: check_geojson.py FILE LEVELS
LEVELS is the expected level of each feature, comma-separated, "null" for an
unknown level. The file must be a FeatureCollection with one feature per
polyline: properties "line" (its index) and "level", geometry a LineString of
two or more [x, y] positions, a Point, or null. Exits 1 with a reason on the
first fault.
"""
import json
import math
import sys


def fail(reason):
    print("check_geojson: " + reason)
    sys.exit(1)


def is_position(p):
    return (isinstance(p, list) and len(p) == 2
            and all(isinstance(v, (int, float)) and not isinstance(v, bool) and math.isfinite(v) for v in p))


def check_geometry(k, geometry):
    if geometry is None:
        return
    if not isinstance(geometry, dict) or set(geometry) != {"type", "coordinates"}:
        fail("feature %d: geometry members" % k)
    kind, coordinates = geometry["type"], geometry["coordinates"]
    if kind == "Point":
        if not is_position(coordinates):
            fail("feature %d: Point position" % k)
    elif kind == "LineString":
        if not isinstance(coordinates, list) or len(coordinates) < 2 or not all(map(is_position, coordinates)):
            fail("feature %d: LineString positions" % k)
    else:
        fail("feature %d: geometry type %r" % (k, kind))


def main():
    path, expected = sys.argv[1], sys.argv[2].split(",")
    with open(path, encoding="utf-8") as f:
        collection = json.load(f, parse_constant=lambda name: fail("non-standard number " + name))
    if collection.get("type") != "FeatureCollection" or not isinstance(collection.get("features"), list):
        fail("not a FeatureCollection")
    features = collection["features"]
    if len(features) != len(expected):
        fail("%d features, expected %d" % (len(features), len(expected)))
    for k, feature in enumerate(features):
        if feature.get("type") != "Feature" or set(feature) != {"type", "properties", "geometry"}:
            fail("feature %d: members" % k)
        properties = feature["properties"]
        if properties.get("line") != k:
            fail("feature %d: line %r" % (k, properties.get("line")))
        level = properties.get("level")
        want = None if expected[k] == "null" else float(expected[k])
        if level != want:
            fail("feature %d: level %r, expected %r" % (k, level, want))
        check_geometry(k, feature["geometry"])
    print("check_geojson: %d features" % len(features))


if __name__ == "__main__":
    main()
