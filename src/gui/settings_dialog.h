#pragma once
// Tfmset, the settings dialog: binds its controls to a SettingsDialogModel on
// the main window's items. Filled when created, transferred on OK (a bad
// integer keeps it open), reset by Default; Cancel, Esc and the close box
// transfer nothing. Its "More..." button opens the second dialog, TfmLevels,
// on the model's level controls, which follow the same rules.

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/settings_dialog_model.h"
#include "gui/color_swatch.h"

namespace orbisk {

class StylePickers;
class Ui;

class Tfmset : public QDialog {
 public:
  // Works on model's items until it is destroyed; errors are shown through
  // ui, colours and fonts picked through pickers.
  Tfmset(SettingsDialogModel& model, Ui& ui, StylePickers& pickers, QWidget* parent = nullptr);

  // OK: the transfer; an edit that is no integer shows its error and the
  // dialog stays open, keeping what was transferred before it.
  void accept() override;

 private:
  // The controls of one kind of line: presence, colour, pen width.
  struct Line {
    QCheckBox* present;  // null for the contour lines
    ColorSwatch* color;
    QLineEdit* fit;
  };

  void BuildControls();
  QWidget* BuildPictureGroup();
  QWidget* BuildLinesGroup();
  QWidget* BuildContourGroup();
  QWidget* BuildLabelGroup();
  QLineEdit* NewEdit(const char* name);
  void PickColor(ColorSwatch* swatch);
  void PickFont();
  // Puts "More..." into the free room at the right of the Contour group's
  // row, outside the layout, so that every other control keeps its place.
  void PlaceMoreButton();
  void btLevelsClick();
  void btDefaultClick();
  // Controls from the model's values and back.
  void ShowControls();
  void ReadControls();
  void ShowSampleFont();

  SettingsDialogModel& model_;
  Ui& ui_;
  StylePickers& pickers_;
  QLineEdit* edWidth_ = nullptr;
  QLineEdit* edHeight_ = nullptr;
  Line xy_{}, intCircle_{}, extCircle_{}, function_{};
  QLineEdit* edNLevelContour_ = nullptr;
  QPushButton* btLevels_ = nullptr;
  QCheckBox* cbLabelPresent_ = nullptr;
  QLineEdit* edLabelFormat_ = nullptr;
  QPushButton* btLabelFont_ = nullptr;
  QLabel* lbLabelFont_ = nullptr;
};

}  // namespace orbisk
