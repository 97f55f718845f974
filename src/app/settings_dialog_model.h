#pragma once
// The settings dialog without widgets: the values its controls show, filled
// from the main window's items and transferred back on OK.

#include <string>

#include "app/settings_store.h"
#include "platform/canvas.h"
#include "platform/color.h"

namespace orbisk {

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
  SettingsDialogModel(Settings& settings, Bitmap& picture, FontSpec& labelFont);

  // Fills every control from the items (when the dialog becomes active); sets
  // the label font's face and size from the settings first.
  void FormActivate();
  // Transfers the controls into the items on OK, each as soon as its control is
  // read. An edit that is not an integer stops the transfer there, raising
  // InputError "'%s' is not a valid integer value"; what was transferred before
  // it stays, and the dialog should stay open.
  void Transfer();
  // Default: every item to its default (SetDefaults), then FormActivate.
  void btDefaultClick();

  SettingsDialogControls controls;

 private:
  Settings& settings_;
  Bitmap& picture_;
  FontSpec& labelFont_;
};

}  // namespace orbisk
