#include "contour/contour_levels.h"

#include "platform/checked_math.h"
#include "platform/error.h"

namespace orbisk {

std::vector<long double> ContourLevels(long double minValue, long double maxValue, std::int32_t nLevel) {
  using namespace checked;
  const long double n = nLevel;
  const long double mid = Mul(Add(maxValue, minValue), 0.5L);
  const long double range = Sub(maxValue, minValue);
  const long double half = Mul(Div(Mul(Sub(n, 1), range), n), 0.5L);
  const long double first = Sub(mid, half);
  const long double last = Add(mid, half);
  std::vector<long double> levels;
  if (nLevel <= 0) return levels;
  if (nLevel > kMaxContourLevels) {
    throw Error(FormatMessage("Too many contour levels: %d (at most 65536)", nLevel));
  }
  levels.reserve(static_cast<std::size_t>(nLevel));
  if (nLevel == 1) {
    levels.push_back(first);  // no step is computed for a single level
    return levels;
  }
  const long double step = Div(Sub(last, first), Sub(n, 1));
  for (std::int32_t k = 0; k < nLevel; ++k) levels.push_back(Add(Mul(k, step), first));
  return levels;
}

}  // namespace orbisk
