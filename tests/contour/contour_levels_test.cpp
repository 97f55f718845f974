#include "contour/contour_levels.h"

#include <gtest/gtest.h>
#include <limits>
#include <ostream>

#include "platform/error.h"

namespace orbisk {

// Readable values in failure messages.
void PrintTo(const ChosenLevels& chosen, std::ostream* out) {
  *out << "{levels:";
  for (long double level : chosen.levels) *out << " " << static_cast<double>(level);
  *out << ", outside: " << chosen.outside << "}";
}

namespace {

struct LevelCase {
  const char* name;
  long double min, max;
  std::int32_t n;
  std::vector<long double> levels;
};

TEST(ContourLevels, AreTheMidpointsOfEqualSlices) {
  const LevelCase cases[] = {
      {"five of 0..10", 0, 10, 5, {1, 3, 5, 7, 9}}, {"one is the middle", 2, 4, 1, {3}},
      {"two at quarters", 0, 8, 2, {2, 6}},         {"empty range repeats the value", 3, 3, 4, {3, 3, 3, 3}},
      {"negative count gives none", 0, 10, -3, {}},
  };
  for (const LevelCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ContourLevels(c.min, c.max, c.n), c.levels);
  }
}

TEST(ContourLevels, ZeroCountFailsAtTheDivision) {
  const struct {
    long double min, max;
    const char* message;
  } cases[] = {{0, 10, "Floating point division by zero"}, {4, 4, "Invalid floating point operation"}};
  for (const auto& c : cases) {
    try {
      ContourLevels(c.min, c.max, 0);
      ADD_FAILURE() << "no error for range " << static_cast<double>(c.max - c.min);
    } catch (const MathError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

TEST(ContourLevels, RefusesAHugeCountWithoutReservingForIt) {
  EXPECT_EQ(ContourLevels(0, 1, kMaxContourLevels).size(), 65536u);
  try {
    ContourLevels(0, 1, 2147483647);
    ADD_FAILURE() << "no error";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "Too many contour levels: 2147483647 (at most 65536)");
  }
}

TEST(ChooseLevels, ListStepAndEvenOverTheDataRange) {
  using V = std::vector<long double>;
  auto list = [](V values) { return LevelChoice{LevelMode::List, std::move(values), 0, 0}; };
  auto step = [](long double start, long double by) { return LevelChoice{LevelMode::Step, {}, start, by}; };
  const struct {
    const char* name;
    LevelChoice choice;
    long double min, max;
    ChosenLevels expected;
  } cases[] = {
      {"even is the plain count", LevelChoice{}, 0, 10, {{2.5L, 7.5L}, 0}},
      {"list sorted, repeats once", list({1.5, 0.5, 1, 0.5}), 0, 2, {{0.5, 1, 1.5}, 0}},
      {"list ends of the range count in", list({0, 2}), 0, 2, {{0, 2}, 0}},
      {"list values outside are counted", list({-1, 1, 3, 4}), 0, 2, {{1}, 3}},
      {"list all outside", list({5}), 0, 2, {{}, 1}},
      {"step from 0 over 0..1", step(0, 0.25L), 0, 1, {{0, 0.25L, 0.5L, 0.75L, 1}, 0}},
      {"step from within the range reaches back", step(0.625L, 0.25L), 0, 1, {{0.125L, 0.375L, 0.625L, 0.875L}, 0}},
      {"step from below the range", step(-10, 3), 0, 6, {{2, 5}, 0}},
      {"step from beyond the range", step(100, 7), 0, 6, {{2}, 0}},
      {"step over negative values", step(0, 0.5L), -1.2L, -0.3L, {{-1, -0.5L}, 0}},
      {"step missing the range", step(7, 10), 0, 6, {{}, 1}},
      {"step wider than the range", step(0, 10), 3, 5, {{}, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ChooseLevels(c.choice, c.min, c.max, 2), c.expected);
  }
  const ChosenLevels most = ChooseLevels(step(0, 1), 0, 65535, 2);  // exactly the cap
  EXPECT_EQ(most.levels.size(), 65536u);
  EXPECT_EQ(most.levels.back(), 65535);
}

TEST(ChooseLevels, RefusesUnusableChoicesWithClearMessages) {
  const long double inf = std::numeric_limits<long double>::infinity();
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  const struct {
    const char* name;
    LevelChoice choice;
    const char* message;
  } cases[] = {
      {"empty list", {LevelMode::List, {}, 0, 0}, "The level list is empty"},
      {"infinite value", {LevelMode::List, {1, inf}, 0, 0}, "Level values must be finite numbers"},
      {"NaN value", {LevelMode::List, {nan}, 0, 0}, "Level values must be finite numbers"},
      {"too long a list",
       {LevelMode::List, std::vector<long double>(65537, 1), 0, 0},
       "The level list holds more than 65536 values"},
      {"zero step", {LevelMode::Step, {}, 0, 0}, "The level step must be a finite number greater than 0"},
      {"negative step", {LevelMode::Step, {}, 0, -1}, "The level step must be a finite number greater than 0"},
      {"NaN step", {LevelMode::Step, {}, 0, nan}, "The level step must be a finite number greater than 0"},
      {"infinite start", {LevelMode::Step, {}, -inf, 1}, "The first level must be a finite number"},
      {"too fine a step",
       {LevelMode::Step, {}, 0, 1e-3L},
       "The level step 0.001 gives more than 65536 levels over the data's range"},
      {"tiniest step",
       {LevelMode::Step, {}, -1e4000L, 1e-4000L},
       "The level step 1e-4000 gives more than 65536 levels over the data's range"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      ChooseLevels(c.choice, 0, 100, 14);
      ADD_FAILURE() << "no error";
    } catch (const InputError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

TEST(ChooseLevels, FarStartWithAFineStepEndsWithoutLevels) {
  // (min - start) / step is beyond what a counter can step through exactly.
  const ChosenLevels chosen = ChooseLevels({LevelMode::Step, {}, -1e30L, 1e-10L}, 0, 1e-9L, 14);
  EXPECT_TRUE(chosen.levels.empty());
  EXPECT_EQ(chosen.outside, 1);
}

TEST(ChooseLevels, OutsideMessageIsSaidOnceInWords) {
  const struct {
    ChosenLevels chosen;
    const char* message;
  } cases[] = {
      {{{1, 2}, 0}, ""},
      {{{1}, 1}, "1 of the chosen levels lies outside the data's range (0 to 2.5) and draws nothing"},
      {{{1}, 3}, "3 of the chosen levels lie outside the data's range (0 to 2.5) and draw nothing"},
      {{{}, 2}, "No chosen level lies in the data's range (0 to 2.5): no contour is drawn"},
  };
  for (const auto& c : cases) EXPECT_EQ(LevelsOutsideMessage(c.chosen, 0, 2.5L), c.message);
}

TEST(ParseLevelList, ReadsNumbersBetweenSeparators) {
  const struct {
    const char* text;
    char decimalSeparator;
    std::vector<long double> values;
    const char* message;
  } cases[] = {
      {"0.5,1,1.5", '.', {0.5L, 1, 1.5L}, nullptr},
      {" -2 ; +3e1\t0.25 ", '.', {-2, 30, 0.25L}, nullptr},
      {"0,5; 1,5", ',', {0.5L, 1.5L}, nullptr},
      {"0.5 1,5", ',', {0.5L, 1.5L}, nullptr},
      {"1,,2", '.', {1, 2}, nullptr},
      {"", '.', {}, "The level list is empty"},
      {" , ", '.', {}, "The level list is empty"},
      {"1,abc", '.', {}, "'abc' is not a valid level value"},
      {"1,inf", '.', {}, "'inf' is not a valid level value"},
      {"1.5.2", '.', {}, "'1.5.2' is not a valid level value"},
      {"+", '.', {}, "'+' is not a valid level value"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.message == nullptr) {
      EXPECT_EQ(ParseLevelList(c.text, c.decimalSeparator), c.values);
      continue;
    }
    try {
      ParseLevelList(c.text, c.decimalSeparator);
      ADD_FAILURE() << "no error";
    } catch (const InputError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

}  // namespace
}  // namespace orbisk
