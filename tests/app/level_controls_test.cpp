// The chosen levels as texts, and the second settings dialog's controls read
// back into items, with the messages of a control that cannot be used.

#include <gtest/gtest.h>

#include "app/level_texts.h"
#include "app/settings_dialog_model.h"
#include "platform/error.h"

namespace orbisk {
namespace {

TEST(LevelTexts, NumbersAreTheShortestThatReadBackExactly) {
  const struct {
    long double value;
    char separator;
    const char* text;
  } rows[] = {
      {0.5L, '.', "0.5"},
      {0.1L, '.', "0.1"},
      {-2, '.', "-2"},
      {1e-20L, '.', "1e-20"},
      {0.1L, ',', "0,1"},
      {1.0L / 3, '.', "0.33333333333333333334"},
      {static_cast<double>(0.1), '.', "0.10000000000000000555"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(LevelNumberText(row.value, row.separator), row.text);
    EXPECT_EQ(ParseLevelNumber(row.text, row.separator, "%s"), row.value);
  }
  EXPECT_EQ(LevelListText({0.5L, 1, 1.5L}), "0.5, 1, 1.5");
  EXPECT_EQ(LevelListText({0.5L, 1, 1.5L}, ','), "0,5; 1; 1,5");
  EXPECT_EQ(LevelListText({}), "");
}

LevelControls Controls(LevelMode mode, const char* list, const char* start, const char* step,
                       const char* format = ".4g") {
  LevelControls c;
  c.rbLevelMode = mode;
  c.edLevelList = list;
  c.edLevelStart = start;
  c.edLevelStep = step;
  c.edLevelFormat = format;
  return c;
}

TEST(LevelControls, ReadBackIntoTheChoiceOrRefusedWithAClearMessage) {
  using M = LevelMode;
  const struct {
    const char* name;
    LevelControls controls;
    char separator;
    LevelChoice choice;  // when error is empty
    const char* error;
  } rows[] = {
      {"even, everything blank", Controls(M::Even, "", " ", ""), '.', {M::Even, {}, 0, 0}, ""},
      {"even keeps a list and a step", Controls(M::Even, "1 2", "0", "0.5"), '.', {M::Even, {1, 2}, 0, 0.5L}, ""},
      {"a list, decimal comma", Controls(M::List, "0,5; 1", "0", "0"), ',', {M::List, {0.5L, 1}, 0, 0}, ""},
      {"a step from a start", Controls(M::Step, "", "0.1", "0.25"), '.', {M::Step, {}, 0.1L, 0.25L}, ""},
      {"a chosen empty list", Controls(M::List, "  ", "0", "0"), '.', {}, "The level list is empty"},
      {"a bad list item", Controls(M::Even, "1, x", "0", "0"), '.', {}, "'x' is not a valid level value"},
      {"a bad start", Controls(M::Step, "", "a", "1"), '.', {}, "'a' is not a valid first level"},
      {"two numbers as a step", Controls(M::Step, "", "0", "1,5"), '.', {}, "'1,5' is not a valid level step"},
      {"a step of 0",
       Controls(M::Step, "", "0", "0"),
       '.',
       {},
       "The level step must be a finite number greater than 0"},
      {"a bad value format",
       Controls(M::Even, "", "0", "0", ".2q"),
       '.',
       {},
       "Format '%.2q' invalid or incompatible with argument"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    if (*row.error != '\0') {
      try {
        ReadLevelControls(row.controls, row.separator);
        ADD_FAILURE() << "accepted";
      } catch (const InputError& error) {
        EXPECT_STREQ(error.what(), row.error);
      }
      continue;
    }
    const LevelOptions read = ReadLevelControls(row.controls, row.separator);
    EXPECT_EQ(read.choice, row.choice);
  }
}

TEST(LevelControls, ShowTheItemsAndGiveThemBack) {
  Settings settings;
  settings.levelChoice = {LevelMode::List, {0.25L, -1}, 2, 0.5L};
  settings.levelDisplay = {true, false, true, ".2f"};
  settings.StatusLine_Present = true;
  const LevelControls shown = LevelControlsOf(settings, ',');
  LevelControls expected = Controls(LevelMode::List, "0,25; -1", "2", "0,5", ".2f");
  expected.cbLevelColors = true;
  expected.cbLevelLabels = true;
  expected.cbStatusLine = true;
  EXPECT_EQ(shown, expected);
  const LevelOptions back = ReadLevelControls(shown, ',');
  EXPECT_EQ(back, (LevelOptions{settings.levelChoice, settings.levelDisplay, true}));
}

}  // namespace
}  // namespace orbisk
