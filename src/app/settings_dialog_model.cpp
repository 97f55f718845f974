#include "app/settings_dialog_model.h"

#include "app/integer_text.h"

namespace orbisk {

SettingsDialogModel::SettingsDialogModel(Settings& settings, Bitmap& picture, FontSpec& labelFont)
    : settings_(settings), picture_(picture), labelFont_(labelFont) {}

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
}

void SettingsDialogModel::btDefaultClick() {
  SetDefaults(settings_, picture_);
  FormActivate();
}

}  // namespace orbisk
