#pragma once
// The 65,536 points of a 256 x 256 polar grid (radius 1 to 2, angle 0 to 2 pi)
// that the formula benchmarks and their peers evaluate, row by row.

#include <cmath>
#include <vector>

namespace orbisk::bench {

inline constexpr int kGridSide = 256;

struct GridPoints {
  std::vector<double> x, y;  // point k = row k / 256, column k % 256
};

inline GridPoints PolarGridPoints() {
  const long double pi = 3.141592653589793238462643383279503L;
  GridPoints points;
  for (int i = 0; i < kGridSide; ++i) {
    const long double fi = i * (2 * pi / (kGridSide - 1));
    for (int j = 0; j < kGridSide; ++j) {
      const long double r = 1 + j * (1.0L / (kGridSide - 1));
      points.x.push_back(static_cast<double>(r * cosl(fi)));
      points.y.push_back(static_cast<double>(r * sinl(fi)));
    }
  }
  return points;
}

}  // namespace orbisk::bench
