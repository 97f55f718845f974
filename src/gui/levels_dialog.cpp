#include "gui/levels_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialog_parts.h"
#include "gui/uncaught_errors.h"

namespace orbisk {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

// The settings dialog's close spacing.
void Compact(QLayout* layout) {
  layout->setContentsMargins(6, 2, 6, 4);
  layout->setSpacing(3);
}

std::string Text(const QLineEdit* edit) { return edit->text().toStdString(); }

}  // namespace

TfmLevels::TfmLevels(LevelControls& controls, char decimalSeparator, Ui& ui, QWidget* parent)
    : QDialog(parent), controls_(controls), decimalSeparator_(decimalSeparator), ui_(ui) {
  setObjectName("fmLevels");
  setWindowTitle("Levels");
  UseSmallFont(this);

  const OkCancelButtons okCancel = NewOkCancelButtons(this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(okCancel.ok);
  buttons->addWidget(okCancel.cancel);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(3);
  layout->addWidget(BuildChoiceGroup());
  layout->addWidget(BuildDisplayGroup());
  layout->addWidget(BuildWindowGroup());
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ShowControls(controls_);
}

QLineEdit* TfmLevels::NewEdit(const char* name, int width) {
  QLineEdit* edit = NewRowEdit(this, name);
  edit->setMinimumWidth(width);
  return edit;
}

QCheckBox* TfmLevels::NewCheck(const char* caption, const char* name, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

QWidget* TfmLevels::BuildChoiceGroup() {
  auto* group = new QGroupBox("Levels", this);
  auto* grid = new QGridLayout(group);
  Compact(grid);
  rbLevelEven_ = new QRadioButton("&Evenly spaced, as many as Settings says", group);
  rbLevelEven_->setObjectName("rbLevelEven");
  rbLevelList_ = new QRadioButton("&These values", group);
  rbLevelList_->setObjectName("rbLevelList");
  rbLevelStep_ = new QRadioButton("&From a level by steps", group);
  rbLevelStep_->setObjectName("rbLevelStep");
  edLevelList_ = NewEdit("edLevelList", 200);
  edLevelList_->setToolTip("Values separated by commas, semicolons or blanks, such as 0.5, 1, 1.5");
  edLevelStart_ = NewEdit("edLevelStart", 60);
  edLevelStart_->setToolTip("One level; the others lie whole steps from it (0: the multiples of the step)");
  edLevelStep_ = NewEdit("edLevelStep", 60);
  auto* steps = new QHBoxLayout;
  steps->addWidget(new QLabel("Start", group));
  steps->addWidget(edLevelStart_);
  steps->addWidget(new QLabel("Step", group));
  steps->addWidget(edLevelStep_);
  steps->addStretch();
  grid->addWidget(rbLevelEven_, 0, 0, 1, 2);
  grid->addWidget(rbLevelList_, 1, 0);
  grid->addWidget(edLevelList_, 1, 1);
  grid->addWidget(rbLevelStep_, 2, 0);
  grid->addLayout(steps, 2, 1);
  return group;
}

QWidget* TfmLevels::BuildDisplayGroup() {
  auto* group = new QGroupBox("Display", this);
  auto* grid = new QGridLayout(group);
  Compact(grid);
  cbLevelColors_ = NewCheck("Colo&rs by level", "cbLevelColors", group);
  cbLevelLegend_ = NewCheck("&Legend", "cbLevelLegend", group);
  cbLevelLabels_ = NewCheck("&Values on the lines", "cbLevelLabels", group);
  edLevelFormat_ = NewEdit("edLevelFormat", 60);
  edLevelFormat_->setToolTip("Number format of the values, as the ratio label's format");
  grid->addWidget(cbLevelColors_, 0, 0);
  grid->addWidget(cbLevelLegend_, 0, 1);
  grid->addWidget(cbLevelLabels_, 1, 0);
  auto* format = new QHBoxLayout;
  format->addWidget(new QLabel("Format", group));
  format->addWidget(edLevelFormat_);
  format->addStretch();
  grid->addLayout(format, 1, 1);
  return group;
}

QWidget* TfmLevels::BuildWindowGroup() {
  auto* group = new QGroupBox("Window", this);
  auto* row = new QHBoxLayout(group);
  Compact(row);
  cbStatusLine_ = NewCheck("Value under the &cursor in a status line", "cbStatusLine", group);
  row->addWidget(cbStatusLine_);
  return group;
}

void TfmLevels::ShowControls(const LevelControls& c) {
  rbLevelEven_->setChecked(c.rbLevelMode == LevelMode::Even);
  rbLevelList_->setChecked(c.rbLevelMode == LevelMode::List);
  rbLevelStep_->setChecked(c.rbLevelMode == LevelMode::Step);
  edLevelList_->setText(Text(c.edLevelList));
  edLevelStart_->setText(Text(c.edLevelStart));
  edLevelStep_->setText(Text(c.edLevelStep));
  cbLevelColors_->setChecked(c.cbLevelColors);
  cbLevelLegend_->setChecked(c.cbLevelLegend);
  cbLevelLabels_->setChecked(c.cbLevelLabels);
  edLevelFormat_->setText(Text(c.edLevelFormat));
  cbStatusLine_->setChecked(c.cbStatusLine);
}

LevelControls TfmLevels::ReadControls() const {
  LevelControls c;
  c.rbLevelMode = rbLevelList_->isChecked()   ? LevelMode::List
                  : rbLevelStep_->isChecked() ? LevelMode::Step
                                              : LevelMode::Even;
  c.edLevelList = Text(edLevelList_);
  c.edLevelStart = Text(edLevelStart_);
  c.edLevelStep = Text(edLevelStep_);
  c.cbLevelColors = cbLevelColors_->isChecked();
  c.cbLevelLegend = cbLevelLegend_->isChecked();
  c.cbLevelLabels = cbLevelLabels_->isChecked();
  c.edLevelFormat = Text(edLevelFormat_);
  c.cbStatusLine = cbStatusLine_->isChecked();
  return c;
}

void TfmLevels::accept() {
  const LevelControls read = ReadControls();
  if (!RunGuarded(ui_, [this, &read] { ReadLevelControls(read, decimalSeparator_); })) return;
  controls_ = read;
  QDialog::accept();
}

}  // namespace orbisk
