#include "app/settings_dialog_model.h"

#include "app/integer_text.h"
#include "app/level_texts.h"
#include "contour/label_format.h"

namespace orbisk {

LevelControls LevelControlsOf(const Settings& settings, char decimalSeparator) {
  const LevelChoice& choice = settings.levelChoice;
  const LevelDisplay& display = settings.levelDisplay;
  LevelControls c;
  c.rbLevelMode = choice.mode;
  c.edLevelList = LevelListText(choice.list, decimalSeparator);
  c.edLevelStart = LevelNumberText(choice.start, decimalSeparator);
  c.edLevelStep = LevelNumberText(choice.step, decimalSeparator);
  c.cbLevelColors = display.Colors;
  c.cbLevelLegend = display.Legend;
  c.cbLevelLabels = display.LineLabels;
  c.edLevelFormat = display.ValueFormat;
  c.cbStatusLine = settings.StatusLine_Present;
  return c;
}

LevelOptions ReadLevelControls(const LevelControls& c, char decimalSeparator) {
  LevelOptions o;
  o.choice.mode = c.rbLevelMode;
  if (!IsBlank(c.edLevelList) || c.rbLevelMode == LevelMode::List) {
    o.choice.list = ParseLevelList(c.edLevelList, decimalSeparator);
  }
  if (!IsBlank(c.edLevelStart)) {
    o.choice.start = ParseLevelNumber(c.edLevelStart, decimalSeparator, "'%s' is not a valid first level");
  }
  if (!IsBlank(c.edLevelStep)) {
    o.choice.step = ParseLevelNumber(c.edLevelStep, decimalSeparator, "'%s' is not a valid level step");
  }
  CheckLevelChoice(o.choice);
  FormatLabelNumber(c.edLevelFormat, 1, decimalSeparator);  // raises for a bad format
  o.display = {c.cbLevelColors, c.cbLevelLegend, c.cbLevelLabels, c.edLevelFormat};
  o.statusLine = c.cbStatusLine;
  return o;
}

SettingsDialogModel::SettingsDialogModel(Settings& settings, Bitmap& picture, FontSpec& labelFont,
                                         char decimalSeparator)
    : settings_(settings), picture_(picture), labelFont_(labelFont), decimalSeparator_(decimalSeparator) {}

void SettingsDialogModel::FormActivate() {
  const PlotSettings& p = settings_.plot;
  SettingsDialogControls& c = controls;
  c.edHeight = std::to_string(picture_.Height());
  c.edWidth = std::to_string(picture_.Width());
  c.cbXY = p.XY_Present;
  c.shColorXY = p.XY_Color;
  c.edFitXY = std::to_string(p.XY_Width);
  c.cbIntCircle = p.IntCircle_Present;
  c.shColorIntCircle = p.IntCircle_Color;
  c.edFitIntCircle = std::to_string(p.IntCircle_Width);
  c.cbExtCircle = p.ExtCircle_Present;
  c.shColorExtCircle = p.ExtCircle_Color;
  c.edFitExtCircle = std::to_string(p.ExtCircle_Width);
  c.shColorFunction = p.Function_Color;
  c.edFitFunction = std::to_string(p.Function_Width);
  c.edNLevelContour = std::to_string(p.Contour_NLevel);
  labelFont_.name = p.Label_FontName;
  labelFont_.size = p.Label_FontSize;
  c.lbLabelFont = labelFont_;
  c.cbLabelPresent = p.Label_Present;
  c.edLabelFormat = p.Label_Format;
  levelControls = LevelControlsOf(settings_, decimalSeparator_);
}

void SettingsDialogModel::Transfer() {
  PlotSettings& p = settings_.plot;
  const SettingsDialogControls& c = controls;
  settings_.pictureHeight = StrToInt(c.edHeight);
  picture_.SetHeight(settings_.pictureHeight);
  settings_.pictureWidth = StrToInt(c.edWidth);
  picture_.SetWidth(settings_.pictureWidth);
  p.XY_Present = c.cbXY;
  p.XY_Color = c.shColorXY;
  p.XY_Width = StrToInt(c.edFitXY);
  p.IntCircle_Present = c.cbIntCircle;
  p.IntCircle_Color = c.shColorIntCircle;
  p.IntCircle_Width = StrToInt(c.edFitIntCircle);
  p.ExtCircle_Present = c.cbExtCircle;
  p.ExtCircle_Color = c.shColorExtCircle;
  p.ExtCircle_Width = StrToInt(c.edFitExtCircle);
  p.Function_Color = c.shColorFunction;
  p.Function_Width = StrToInt(c.edFitFunction);
  p.Contour_NLevel = StrToInt(c.edNLevelContour);
  p.Label_Present = c.cbLabelPresent;
  labelFont_ = c.lbLabelFont;
  p.Label_FontName = labelFont_.name;
  p.Label_FontSize = labelFont_.size;
  p.Label_Format = c.edLabelFormat;
  const LevelOptions levels = ReadLevelControls(levelControls, decimalSeparator_);
  settings_.levelChoice = levels.choice;
  settings_.levelDisplay = levels.display;
  settings_.StatusLine_Present = levels.statusLine;
}

void SettingsDialogModel::btDefaultClick() {
  SetDefaults(settings_, picture_);
  FormActivate();
}

}  // namespace orbisk
