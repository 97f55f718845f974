#pragma once
// The font dialog of the settings dialog: the platform's font dialog with a
// colour choice below it, so that every property of the label font (face,
// size, style, effects, colour) can be picked. It opens on the face that
// drawing uses for the font, and gives back exactly what was confirmed.

#include <QDialog>
#include <QFontDialog>
#include <functional>
#include <optional>

#include "gui/color_swatch.h"
#include "platform/canvas.h"

namespace orbisk {

class LabelFontDialog : public QDialog {
 public:
  // Runs a colour dialog preset to a colour over an owner; the chosen colour,
  // or nothing.
  using ColorPicker = std::function<std::optional<Color>(Color, QWidget*)>;

  explicit LabelFontDialog(ColorPicker pickColor, QWidget* parent = nullptr);

  // Shows font: the face that drawing substitutes for its name, its size in
  // points, its style, effects and colour.
  void SetLabelFont(const FontSpec& font);
  // What the dialog shows now. While the face shown is still the one that
  // the preset's name resolved to, the name stays the preset's, so that an
  // untouched dialog gives back the preset unchanged.
  FontSpec LabelFont() const;

  QFontDialog* FontPart() const { return fonts_; }
  ColorSwatch* ColorPart() const { return color_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PickColor();
  void ShowSampleColor();

  ColorPicker pickColor_;
  QFontDialog* fonts_;
  ColorSwatch* color_ = nullptr;
  FontSpec preset_;
  QString presetFamily_;  // the face the preset's name resolved to
};

}  // namespace orbisk
