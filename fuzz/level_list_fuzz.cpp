// Chosen levels: any bytes as a level list text (with "." and then "," as the
// decimal separator); a list that reads is chosen over a fixed range, and its
// first two values are tried as a first level and a step. Only InputError may
// escape, and the levels must be increasing, within the range, and no more
// than were asked for.

#include <cstddef>
#include <cstdint>
#include <string>

#include "contour/contour_levels.h"
#include "platform/error.h"

namespace {

void CheckChosen(const orbisk::ChosenLevels& chosen, long double low, long double high, std::size_t asked) {
  for (std::size_t i = 0; i < chosen.levels.size(); ++i) {
    const long double level = chosen.levels[i];
    if (!(low <= level && level <= high) || (i > 0 && !(chosen.levels[i - 1] < level))) __builtin_trap();
  }
  if (asked != 0 && chosen.levels.size() + static_cast<std::size_t>(chosen.outside) > asked) __builtin_trap();
  if (chosen.levels.size() > static_cast<std::size_t>(orbisk::kMaxContourLevels)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const long double low = -1.5L, high = 1e6L;
  for (char separator : {'.', ','}) {
    try {
      const std::vector<long double> values = orbisk::ParseLevelList(text, separator);
      CheckChosen(orbisk::ChooseLevels({orbisk::LevelMode::List, values, 0, 0}, low, high, 14), low, high,
                  values.size());
      if (values.size() >= 2) {
        const orbisk::LevelChoice step{orbisk::LevelMode::Step, {}, values[0], values[1]};
        CheckChosen(orbisk::ChooseLevels(step, low, high, 14), low, high, 0);
      }
    } catch (const orbisk::InputError&) {
    }
  }
  return 0;
}
