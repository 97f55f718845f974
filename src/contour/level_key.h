#pragma once
// The levels that a picture shows, each with its value as written and its
// colour, shared by the coloured lines, the line labels and the legend.

#include <cstddef>
#include <string>
#include <vector>

#include "contour/plot_settings.h"
#include "store/contour_store.h"

namespace orbisk {

struct LevelKey {
  std::vector<long double> values;  // distinct, increasing
  std::vector<std::string> texts;   // values[i] as written; empty when no text is shown
  std::vector<Color> colors;        // the colour of values[i]'s lines

  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  // The index of level in values; kNone when it is not there (NaN).
  std::size_t IndexOf(long double level) const;
};

// The key of the levels of store's polylines (empty when they have none;
// NaN is left out).
// Colours come from the viridis map when display.Colors is on, else all are
// lineColor; texts are formatted with display.ValueFormat and
// decimalSeparator when the legend or the line labels are on, raising
// InputError for a bad format as the ratio label does.
LevelKey MakeLevelKey(const ContourStore& store, const LevelDisplay& display, Color lineColor, char decimalSeparator);

}  // namespace orbisk
