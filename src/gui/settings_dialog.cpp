#include "gui/settings_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "gui/dialog_parts.h"
#include "gui/font_sample.h"
#include "gui/levels_dialog.h"
#include "gui/style_pickers.h"
#include "gui/uncaught_errors.h"
#include "qt/qt_fonts.h"

namespace orbisk {

namespace {

constexpr int kLeft = 171;
constexpr int kTop = 166;
constexpr int kWidth = 365;
constexpr int kHeight = 186;

QString Text(const std::string& text) { return QString::fromStdString(text); }

void Compact(QLayout* layout) {
  layout->setContentsMargins(6, 1, 6, 3);
  layout->setSpacing(2);
}

}  // namespace

Tfmset::Tfmset(SettingsDialogModel& model, Ui& ui, StylePickers& pickers, QWidget* parent)
    : QDialog(parent), model_(model), ui_(ui), pickers_(pickers) {
  setObjectName("fmset");
  setWindowTitle("Settings");
  UseSmallFont(this);
  BuildControls();
  // The size is fixed, whatever the label font: the sample scales down inside.
  setFixedSize(kWidth, kHeight);
  move(kLeft, kTop);
  PlaceMoreButton();
  model_.FormActivate();
  ShowControls();
}

QLineEdit* Tfmset::NewEdit(const char* name) {
  QLineEdit* edit = NewRowEdit(this, name);
  edit->setMaximumWidth(60);
  return edit;
}

QWidget* Tfmset::BuildPictureGroup() {
  auto* group = new QGroupBox("Picture size", this);
  auto* grid = new QGridLayout(group);
  Compact(grid);
  edWidth_ = NewEdit("edWidth");
  edHeight_ = NewEdit("edHeight");
  grid->addWidget(new QLabel("Width", group), 0, 0);
  grid->addWidget(edWidth_, 0, 1);
  grid->addWidget(new QLabel("Height", group), 0, 2);
  grid->addWidget(edHeight_, 0, 3);
  return group;
}

QWidget* Tfmset::BuildLinesGroup() {
  auto* group = new QGroupBox("Lines", this);
  auto* grid = new QGridLayout(group);
  Compact(grid);
  grid->addWidget(new QLabel("Color", group), 0, 1, Qt::AlignHCenter);
  grid->addWidget(new QLabel("Fit", group), 0, 2, Qt::AlignHCenter);
  struct Row {
    Line* line;
    const char* caption;
    const char* check;
    const char* swatch;
    const char* fit;
  };
  const Row rows[] = {
      {&xy_, "axis XY", "cbXY", "shColorXY", "edFitXY"},
      {&intCircle_, "Internal Circle", "cbIntCircle", "shColorIntCircle", "edFitIntCircle"},
      {&extCircle_, "External Circle", "cbExtCircle", "shColorExtCircle", "edFitExtCircle"},
      {&function_, "Function", nullptr, "shColorFunction", "edFitFunction"},
  };
  int r = 1;
  for (const Row& row : rows) {
    if (row.check != nullptr) {
      row.line->present = new QCheckBox(row.caption, group);
      row.line->present->setObjectName(row.check);
      grid->addWidget(row.line->present, r, 0);
    } else {
      auto* label = new QLabel(row.caption, group);
      label->setObjectName("lbFunction");
      grid->addWidget(label, r, 0);
    }
    row.line->color = new ColorSwatch(group);
    row.line->color->setObjectName(row.swatch);
    ColorSwatch* swatch = row.line->color;
    swatch->OnPress([this, swatch] { PickColor(swatch); });
    grid->addWidget(swatch, r, 1, Qt::AlignHCenter);
    row.line->fit = NewEdit(row.fit);
    row.line->fit->setMaximumWidth(40);
    grid->addWidget(row.line->fit, r, 2);
    ++r;
  }
  return group;
}

QWidget* Tfmset::BuildContourGroup() {
  auto* group = new QGroupBox("Contour", this);
  auto* row = new QHBoxLayout(group);
  Compact(row);
  edNLevelContour_ = NewEdit("edNLevelContour");
  row->addWidget(new QLabel("Levels", group));
  row->addWidget(edNLevelContour_);
  row->addStretch();
  btLevels_ = new QPushButton("More...", group);
  btLevels_->setObjectName("btLevels");
  btLevels_->setToolTip("Chosen levels, colors by level, legend, values on the lines, status line");
  btLevels_->setAutoDefault(false);
  connect(btLevels_, &QPushButton::clicked, this, [this] { btLevelsClick(); });
  return group;
}

void Tfmset::PlaceMoreButton() {
  QWidget* group = btLevels_->parentWidget();
  layout()->activate();
  group->layout()->activate();
  const int right = group->width() - group->layout()->contentsMargins().right();
  const int left = edNLevelContour_->geometry().right() + 3;
  const int width = std::min(kDialogButtonWidth, right - left);
  btLevels_->setGeometry(right - width, edNLevelContour_->y(), width, edNLevelContour_->height());
}

QWidget* Tfmset::BuildLabelGroup() {
  auto* group = new QGroupBox("Label", this);
  auto* grid = new QGridLayout(group);
  Compact(grid);
  cbLabelPresent_ = new QCheckBox("Draw", group);
  cbLabelPresent_->setObjectName("cbLabelPresent");
  edLabelFormat_ = NewEdit("edLabelFormat");
  btLabelFont_ = new QPushButton("Font", group);
  btLabelFont_->setObjectName("btLabelFont");
  btLabelFont_->setFocusPolicy(Qt::NoFocus);
  btLabelFont_->setAutoDefault(false);
  btLabelFont_->setFixedWidth(kDialogButtonWidth);
  connect(btLabelFont_, &QPushButton::clicked, this, [this] { PickFont(); });
  lbLabelFont_ = new FontSample("Font", group);
  lbLabelFont_->setObjectName("lbLabelFont");
  grid->addWidget(cbLabelPresent_, 0, 0);
  grid->addWidget(new QLabel("Format", group), 0, 1, Qt::AlignRight);
  grid->addWidget(edLabelFormat_, 0, 2);
  grid->addWidget(btLabelFont_, 1, 0);
  grid->addWidget(lbLabelFont_, 1, 1, 1, 2);
  return group;
}

void Tfmset::BuildControls() {
  auto* btDefault = new QPushButton("Default", this);
  btDefault->setObjectName("btDefault");
  btDefault->setAutoDefault(false);
  btDefault->setMinimumWidth(kDialogButtonWidth);
  connect(btDefault, &QPushButton::clicked, this, [this] { btDefaultClick(); });
  const OkCancelButtons okCancel = NewOkCancelButtons(this);

  auto* left = new QVBoxLayout;
  left->addWidget(BuildPictureGroup());
  left->addWidget(BuildLinesGroup());
  auto* buttons = new QGridLayout;
  buttons->setSpacing(3);
  buttons->addWidget(btDefault, 0, 0, 1, 2);
  buttons->addWidget(okCancel.ok, 1, 0);
  buttons->addWidget(okCancel.cancel, 1, 1);
  auto* right = new QVBoxLayout;
  right->addWidget(BuildContourGroup());
  right->addWidget(BuildLabelGroup());
  right->addStretch();
  right->addLayout(buttons);
  left->setSpacing(3);
  right->setSpacing(3);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  layout->addLayout(left);
  layout->addLayout(right);
}

void Tfmset::ShowSampleFont() {
  const FontSpec& labelFont = model_.controls.lbLabelFont;
  lbLabelFont_->setFont(ToQFont(labelFont));
  QPalette palette = lbLabelFont_->palette();
  palette.setColor(QPalette::WindowText, ToQColor(labelFont.color));
  lbLabelFont_->setPalette(palette);
}

void Tfmset::ShowControls() {
  const SettingsDialogControls& c = model_.controls;
  edHeight_->setText(Text(c.edHeight));
  edWidth_->setText(Text(c.edWidth));
  const std::pair<Line*, std::tuple<bool, Color, std::string>> lines[] = {
      {&xy_, {c.cbXY, c.shColorXY, c.edFitXY}},
      {&intCircle_, {c.cbIntCircle, c.shColorIntCircle, c.edFitIntCircle}},
      {&extCircle_, {c.cbExtCircle, c.shColorExtCircle, c.edFitExtCircle}},
      {&function_, {false, c.shColorFunction, c.edFitFunction}},
  };
  for (const auto& [line, values] : lines) {
    if (line->present != nullptr) line->present->setChecked(std::get<0>(values));
    line->color->SetColor(std::get<1>(values));
    line->fit->setText(Text(std::get<2>(values)));
  }
  edNLevelContour_->setText(Text(c.edNLevelContour));
  cbLabelPresent_->setChecked(c.cbLabelPresent);
  edLabelFormat_->setText(Text(c.edLabelFormat));
  ShowSampleFont();
}

void Tfmset::ReadControls() {
  SettingsDialogControls& c = model_.controls;
  c.edHeight = edHeight_->text().toStdString();
  c.edWidth = edWidth_->text().toStdString();
  c.cbXY = xy_.present->isChecked();
  c.shColorXY = xy_.color->GetColor();
  c.edFitXY = xy_.fit->text().toStdString();
  c.cbIntCircle = intCircle_.present->isChecked();
  c.shColorIntCircle = intCircle_.color->GetColor();
  c.edFitIntCircle = intCircle_.fit->text().toStdString();
  c.cbExtCircle = extCircle_.present->isChecked();
  c.shColorExtCircle = extCircle_.color->GetColor();
  c.edFitExtCircle = extCircle_.fit->text().toStdString();
  c.shColorFunction = function_.color->GetColor();
  c.edFitFunction = function_.fit->text().toStdString();
  c.edNLevelContour = edNLevelContour_->text().toStdString();
  c.cbLabelPresent = cbLabelPresent_->isChecked();
  c.edLabelFormat = edLabelFormat_->text().toStdString();
}

void Tfmset::PickColor(ColorSwatch* swatch) {
  if (const std::optional<Color> color = pickers_.PickColor(swatch->GetColor(), this)) swatch->SetColor(*color);
}

void Tfmset::PickFont() {
  if (const std::optional<FontSpec> font = pickers_.PickFont(model_.controls.lbLabelFont, this)) {
    model_.controls.lbLabelFont = *font;
    ShowSampleFont();
  }
}

void Tfmset::btLevelsClick() {
  TfmLevels dialog(model_.levelControls, model_.DecimalSeparator(), ui_, this);
  dialog.exec();
}

void Tfmset::btDefaultClick() {
  model_.btDefaultClick();
  ShowControls();
}

void Tfmset::accept() {
  ReadControls();
  if (RunGuarded(ui_, [this] { model_.Transfer(); })) QDialog::accept();
}

}  // namespace orbisk
