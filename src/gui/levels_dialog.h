#pragma once
// TfmLevels, the second settings dialog that the settings dialog's "More..."
// button opens: how the contour levels are chosen (N evenly spaced, a list
// of values, or a first level and a step), how they are shown (colours by
// level, a legend, the values on the lines in a number format) and the status
// line with the value under the cursor. It edits the settings dialog's level
// controls only: its OK checks them (an unusable value is shown and keeps it
// open) and hands them back; the items change on the settings dialog's OK.
// Each choice has an access letter (Alt+E, T, F, R, L, V, C).

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>

#include "app/settings_dialog_model.h"

namespace orbisk {

class Ui;

class TfmLevels : public QDialog {
 public:
  // Shows controls; numbers are read with "." or decimalSeparator. Errors
  // are shown through ui.
  TfmLevels(LevelControls& controls, char decimalSeparator, Ui& ui, QWidget* parent = nullptr);

  // OK: checks the controls (ReadLevelControls) and, when they can be used,
  // hands them back and closes.
  void accept() override;

 private:
  QWidget* BuildChoiceGroup();
  QWidget* BuildDisplayGroup();
  QWidget* BuildWindowGroup();
  QLineEdit* NewEdit(const char* name, int width);
  QCheckBox* NewCheck(const char* caption, const char* name, QWidget* parent);
  void ShowControls(const LevelControls& controls);
  LevelControls ReadControls() const;

  LevelControls& controls_;
  char decimalSeparator_;
  Ui& ui_;
  QRadioButton* rbLevelEven_ = nullptr;
  QRadioButton* rbLevelList_ = nullptr;
  QRadioButton* rbLevelStep_ = nullptr;
  QLineEdit* edLevelList_ = nullptr;
  QLineEdit* edLevelStart_ = nullptr;
  QLineEdit* edLevelStep_ = nullptr;
  QCheckBox* cbLevelColors_ = nullptr;
  QCheckBox* cbLevelLegend_ = nullptr;
  QCheckBox* cbLevelLabels_ = nullptr;
  QLineEdit* edLevelFormat_ = nullptr;
  QCheckBox* cbStatusLine_ = nullptr;
};

}  // namespace orbisk
