#pragma once
// The contour levels of a value range: N evenly spaced levels, or levels the
// user chose as a list of values or as a first level and a step.

#include <cstdint>
#include <string>
#include <vector>

namespace orbisk {

// The most levels a picture is traced with; more could not be told apart and
// would keep the program busy for hours.
inline constexpr std::int32_t kMaxContourLevels = 65536;

// The midpoints of nLevel equal slices of minValue..maxValue, computed in
// extended precision; empty for nLevel < 0. nLevel = 0 raises a MathError
// ("Floating point division by zero", or "Invalid floating point operation"
// when the range is empty). More than kMaxContourLevels raises Error
// "Too many contour levels: %d (at most 65536)".
std::vector<long double> ContourLevels(long double minValue, long double maxValue, std::int32_t nLevel);

// How the levels are chosen. Even, the default, means the nLevel evenly
// spaced levels above, exactly as without a choice.
enum class LevelMode { Even, List, Step };

struct LevelChoice {
  LevelMode mode = LevelMode::Even;
  std::vector<long double> list;  // List: the levels, in any order
  long double start = 0;          // Step: one level, from which the others lie whole steps away
  long double step = 0;           // Step: the distance between levels, > 0

  bool operator==(const LevelChoice&) const = default;
};

// The levels to trace, in increasing order, and how many chosen levels were
// left out because they lie outside the data's range and would draw nothing.
struct ChosenLevels {
  std::vector<long double> levels;
  std::int32_t outside = 0;

  bool operator==(const ChosenLevels&) const = default;
};

// Checks what does not depend on the data, raising InputError: "The level
// list is empty", "The level list holds more than 65536 values", "Level
// values must be finite numbers", "The first level must be a finite number",
// "The level step must be a finite number greater than 0". Even always passes.
void CheckLevelChoice(const LevelChoice& choice);

// The levels of choice over the data's range minValue..maxValue (both ends
// belong to it). Even: ContourLevels(minValue, maxValue, nLevel), nothing
// outside. List: the distinct values within the range, increasing; the others
// count as outside. Step: start + k * step (extended precision) for every
// whole k, negative too, that gives a level within the range, so the levels
// cover the range (with start 0, the multiples of step); when none does (or
// the range lies more than 2^62 steps from start), outside is 1. Raises what
// CheckLevelChoice raises, and InputError "The level step %s gives more than
// 65536 levels over the data's range" when it would.
ChosenLevels ChooseLevels(const LevelChoice& choice, long double minValue, long double maxValue, std::int32_t nLevel);

// What to tell the user, once, when chosen levels were left out: "2 of the
// chosen levels lie outside the data's range (0 to 1) and draw nothing" (or
// "1 of the chosen levels lies ..."), or, when no level is left, "No chosen
// level lies in the data's range (0 to 1): no contour is drawn". Empty when
// nothing was left out.
std::string LevelsOutsideMessage(const ChosenLevels& chosen, long double minValue, long double maxValue);

// The values of a level list text such as "0.5, 1, 1.5": numbers with "."
// or decimalSeparator as the decimal point, separated by blanks, ";" or ","
// (unless "," is the decimal separator). Raises InputError "'%s' is not a
// valid level value" for an item that is not a finite number, and "The
// level list is empty" when there is none.
std::vector<long double> ParseLevelList(const std::string& text, char decimalSeparator = '.');

}  // namespace orbisk
