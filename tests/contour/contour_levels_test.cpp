#include "contour/contour_levels.h"

#include <gtest/gtest.h>

#include "platform/error.h"

namespace orbisk {
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

}  // namespace
}  // namespace orbisk
