#include "contour/color_map.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace orbisk {

namespace {

struct Sample {
  double t;
  int red, green, blue;
};

// The published viridis colours at the fractions at which its authors list the
// map in 4 to 10 colours (k/9, k/7, k/6, k/5, k/4); between two samples the
// colour runs linearly in sRGB, which the map's smoothness allows.
constexpr Sample kViridis[] = {
    {0.0, 68, 1, 84},        {1.0 / 9, 72, 40, 120},  {1.0 / 7, 70, 51, 126},  {1.0 / 6, 68, 58, 131},
    {1.0 / 5, 65, 68, 135},  {2.0 / 9, 62, 74, 137},  {1.0 / 4, 59, 82, 139},  {2.0 / 7, 54, 92, 141},
    {1.0 / 3, 49, 104, 142}, {2.0 / 5, 42, 120, 142}, {3.0 / 7, 39, 127, 142}, {4.0 / 9, 38, 130, 142},
    {1.0 / 2, 33, 144, 140}, {5.0 / 9, 31, 158, 137}, {4.0 / 7, 31, 161, 135}, {3.0 / 5, 34, 168, 132},
    {2.0 / 3, 53, 183, 121}, {5.0 / 7, 74, 193, 109}, {3.0 / 4, 93, 200, 99},  {7.0 / 9, 109, 205, 89},
    {4.0 / 5, 122, 209, 81}, {5.0 / 6, 143, 215, 68}, {6.0 / 7, 159, 218, 58}, {8.0 / 9, 180, 222, 44},
    {1.0, 253, 231, 37},
};

int Blend(int a, int b, double f) { return static_cast<int>(std::lround(a + (b - a) * f)); }

}  // namespace

Color ViridisColor(double t) {
  t = std::isnan(t) ? 0 : std::clamp(t, 0.0, 1.0);
  const Sample* upper = std::lower_bound(std::begin(kViridis), std::end(kViridis), t,
                                         [](const Sample& s, double value) { return s.t < value; });
  if (upper == std::begin(kViridis)) return RgbColor(upper->red, upper->green, upper->blue);
  const Sample* lower = upper - 1;
  const double f = (t - lower->t) / (upper->t - lower->t);
  return RgbColor(Blend(lower->red, upper->red, f), Blend(lower->green, upper->green, f),
                  Blend(lower->blue, upper->blue, f));
}

Color LevelColor(long double level, long double lowest, long double highest) {
  const long double span = highest - lowest;
  if (!(span > 0) || !std::isfinite(span)) return ViridisColor(0);
  return ViridisColor(static_cast<double>((level - lowest) / span) * kLevelColorTop);
}

}  // namespace orbisk
