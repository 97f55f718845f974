#include "contour/contour_levels.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/checked_math.h"
#include "platform/error.h"
#include "polar_data/number_format.h"

namespace orbisk {

namespace {

bool Within(long double level, long double minValue, long double maxValue) {
  return minValue <= level && level <= maxValue;
}

ChosenLevels ListLevels(std::vector<long double> values, long double minValue, long double maxValue) {
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
  ChosenLevels chosen;
  for (long double level : values) {
    if (Within(level, minValue, maxValue)) {
      chosen.levels.push_back(level);
    } else {
      ++chosen.outside;
    }
  }
  return chosen;
}

// Beyond this, k * step + start no longer tells neighbouring k apart.
constexpr long double kMaxStepIndex = 0x1p62L;

// start + k * step for the k that may give a level within the range, each
// checked, since rounding may put the first or the last just outside.
ChosenLevels StepLevels(long double start, long double step, long double minValue, long double maxValue) {
  const long double first = std::ceil((minValue - start) / step);
  const long double last = std::floor((maxValue - start) / step);
  if (!(last - first < kMaxContourLevels)) {  // NaN too
    throw InputError("The level step " + FormatDigits(step, 6) + " gives more than 65536 levels over the data's range");
  }
  ChosenLevels chosen;
  if (std::fabs(first) <= kMaxStepIndex) {  // so that ++k counts exactly
    for (long double k = first - 1; k <= last + 1; ++k) {
      const long double level = k * step + start;
      if (Within(level, minValue, maxValue)) chosen.levels.push_back(level);
    }
  }
  if (chosen.levels.empty()) chosen.outside = 1;  // the progression misses the range
  return chosen;
}

std::string Range(long double minValue, long double maxValue) {
  return "(" + FormatDigits(minValue, 6) + " to " + FormatDigits(maxValue, 6) + ")";
}

}  // namespace

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

void CheckLevelChoice(const LevelChoice& choice) {
  if (choice.mode == LevelMode::List) {
    if (choice.list.empty()) throw InputError("The level list is empty");
    if (choice.list.size() > static_cast<std::size_t>(kMaxContourLevels)) {
      throw InputError("The level list holds more than 65536 values");
    }
    for (long double level : choice.list) {
      if (!std::isfinite(level)) throw InputError("Level values must be finite numbers");
    }
  } else if (choice.mode == LevelMode::Step) {
    if (!std::isfinite(choice.start)) throw InputError("The first level must be a finite number");
    if (!std::isfinite(choice.step) || !(choice.step > 0)) {
      throw InputError("The level step must be a finite number greater than 0");
    }
  }
}

ChosenLevels ChooseLevels(const LevelChoice& choice, long double minValue, long double maxValue, std::int32_t nLevel) {
  CheckLevelChoice(choice);
  switch (choice.mode) {
    case LevelMode::List:
      return ListLevels(choice.list, minValue, maxValue);
    case LevelMode::Step:
      return StepLevels(choice.start, choice.step, minValue, maxValue);
    case LevelMode::Even:
      break;
  }
  return ChosenLevels{ContourLevels(minValue, maxValue, nLevel), 0};
}

std::string LevelsOutsideMessage(const ChosenLevels& chosen, long double minValue, long double maxValue) {
  if (chosen.outside == 0) return "";
  if (chosen.levels.empty()) {
    return "No chosen level lies in the data's range " + Range(minValue, maxValue) + ": no contour is drawn";
  }
  return std::to_string(chosen.outside) + " of the chosen levels " + (chosen.outside == 1 ? "lies" : "lie") +
         " outside the data's range " + Range(minValue, maxValue) + " and draw" + (chosen.outside == 1 ? "s" : "") +
         " nothing";
}

std::vector<long double> ParseLevelList(const std::string& text, char decimalSeparator) {
  const std::string separators = decimalSeparator == ',' ? " \t;" : " \t;,";
  std::vector<long double> values;
  std::string::size_type at = text.find_first_not_of(separators);
  while (at != std::string::npos) {
    const std::string::size_type end = std::min(text.find_first_of(separators, at), text.size());
    const std::string item = text.substr(at, end - at);
    std::string number = item.front() == '+' ? item.substr(1) : item;
    std::replace(number.begin(), number.end(), decimalSeparator, '.');
    long double value = 0;
    const auto [stop, failure] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (failure != std::errc() || stop != number.data() + number.size() || !std::isfinite(value)) {
      throw InputError(FormatMessage("'%s' is not a valid level value", item));
    }
    values.push_back(value);
    at = text.find_first_not_of(separators, end);
  }
  if (values.empty()) throw InputError("The level list is empty");
  return values;
}

}  // namespace orbisk
