#include "contour/level_key.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "contour/color_map.h"
#include "contour/label_format.h"

namespace orbisk {

std::size_t LevelKey::IndexOf(long double level) const {
  const auto found = std::lower_bound(values.begin(), values.end(), level);
  if (found == values.end() || *found != level) return kNone;
  return static_cast<std::size_t>(found - values.begin());
}

LevelKey MakeLevelKey(const ContourStore& store, const LevelDisplay& display, Color lineColor, char decimalSeparator) {
  LevelKey key;
  if (!store.HasLevels()) return key;
  std::copy_if(store.Levels.begin(), store.Levels.end(), std::back_inserter(key.values),
               [](long double level) { return !std::isnan(level); });
  std::sort(key.values.begin(), key.values.end());
  key.values.erase(std::unique(key.values.begin(), key.values.end()), key.values.end());
  for (long double level : key.values) {
    key.colors.push_back(display.Colors ? LevelColor(level, key.values.front(), key.values.back()) : lineColor);
    if (display.Legend || display.LineLabels) {
      key.texts.push_back(FormatLabelNumber(display.ValueFormat, level, decimalSeparator));
    }
  }
  return key;
}

}  // namespace orbisk
