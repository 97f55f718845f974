#pragma once
// The settings dialog without widgets: the values its controls show, filled
// from the main window's items and transferred back on OK.

#include <string>

#include "app/settings_store.h"
#include "contour/contour_levels.h"
#include "platform/canvas.h"
#include "platform/color.h"

namespace orbisk {

// The controls of the options beyond the 32 values, in a second dialog that
// the settings dialog opens: how levels are chosen, how they are shown, and
// the status line.
struct LevelControls {
  LevelMode rbLevelMode = LevelMode::Even;  // the three radio buttons
  std::string edLevelList;                  // "0.5, 1, 1.5"
  std::string edLevelStart;
  std::string edLevelStep;
  bool cbLevelColors = false;
  bool cbLevelLegend = false;
  bool cbLevelLabels = false;
  std::string edLevelFormat;  // number format of the values shown
  bool cbStatusLine = false;

  bool operator==(const LevelControls&) const = default;
};

// What the level controls hold once checked.
struct LevelOptions {
  LevelChoice choice;
  LevelDisplay display;
  bool statusLine = false;

  bool operator==(const LevelOptions&) const = default;
};

// The level controls showing settings' items, numbers with decimalSeparator.
LevelControls LevelControlsOf(const Settings& settings, char decimalSeparator);

// The items the level controls give, numbers read with "." or
// decimalSeparator. Raises InputError for the first control that cannot be
// used: the list when it is not blank or is chosen (ParseLevelList), "'%s' is
// not a valid first level" / "'%s' is not a valid level step" (a blank one
// is 0), then CheckLevelChoice on the chosen mode, then the number format as
// the ratio label's format checks it.
LevelOptions ReadLevelControls(const LevelControls& controls, char decimalSeparator);

// What the dialog's controls hold; the view binds its widgets to these.
struct SettingsDialogControls {
  std::string edHeight;
  std::string edWidth;
  bool cbXY = false;
  Color shColorXY = 0;
  std::string edFitXY;
  bool cbIntCircle = false;
  Color shColorIntCircle = 0;
  std::string edFitIntCircle;
  bool cbExtCircle = false;
  Color shColorExtCircle = 0;
  std::string edFitExtCircle;
  Color shColorFunction = 0;
  std::string edFitFunction;
  std::string edNLevelContour;
  bool cbLabelPresent = false;
  std::string edLabelFormat;
  FontSpec lbLabelFont;  // the sample label's font

  bool operator==(const SettingsDialogControls&) const = default;
};

// One opening of the settings dialog, working directly on the main window's
// items. Colour and font picking change controls directly (the view runs the
// pickers); nothing reaches the items before Transfer.
class SettingsDialogModel {
 public:
  // decimalSeparator is the locale's, for the numbers of the level controls.
  SettingsDialogModel(Settings& settings, Bitmap& picture, FontSpec& labelFont, char decimalSeparator = '.');

  // Fills every control from the items (when the dialog becomes active); sets
  // the label font's face and size from the settings first.
  void FormActivate();
  // Transfers the controls into the items on OK, each as soon as its control is
  // read. An edit that is not an integer stops the transfer there, raising
  // InputError "'%s' is not a valid integer value"; what was transferred before
  // it stays, and the dialog should stay open. The level controls come last,
  // all or none: ReadLevelControls raises as the second dialog's OK does.
  void Transfer();
  // Default: every item to its default (SetDefaults), then FormActivate.
  void btDefaultClick();

  SettingsDialogControls controls;
  // The controls of the second dialog (levels, their display, the status
  // line), filled, transferred and reset with the others.
  LevelControls levelControls;
  char DecimalSeparator() const { return decimalSeparator_; }

 private:
  Settings& settings_;
  Bitmap& picture_;
  FontSpec& labelFont_;
  char decimalSeparator_;
};

}  // namespace orbisk
