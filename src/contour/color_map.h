#pragma once
// Colours for contour levels from viridis, a perceptually uniform colour map
// that readers with the common forms of colour blindness, and grey-scale
// prints, still read in order: dark violet through blue and green to yellow.

#include "platform/color.h"

namespace orbisk {

// The part of the map that levels use: its last tenth, pale yellow, hardly
// shows on the white picture.
inline constexpr double kLevelColorTop = 0.9;

// The viridis colour at t (0 the dark violet end, 1 the yellow end; clamped,
// NaN as 0).
Color ViridisColor(double t);

// The colour of level among levels from lowest to highest: the map from 0 at
// lowest to kLevelColorTop at highest, linear in the value; 0 when the range
// is empty or not finite.
Color LevelColor(long double level, long double lowest, long double highest);

}  // namespace orbisk
