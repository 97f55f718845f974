#include "gui/style_pickers.h"

#include <QColorDialog>

#include "gui/color_swatch.h"
#include "gui/label_font_dialog.h"

namespace orbisk {

std::optional<Color> DialogPickers::PickColor(Color color, QWidget* owner) {
  const QColor chosen = QColorDialog::getColor(ToQColor(color), owner);
  if (!chosen.isValid()) return std::nullopt;
  return FromQColor(chosen);
}

std::optional<FontSpec> DialogPickers::PickFont(const FontSpec& font, QWidget* owner) {
  LabelFontDialog dialog([this](Color color, QWidget* over) { return PickColor(color, over); }, owner);
  dialog.SetLabelFont(font);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.LabelFont();
}

}  // namespace orbisk
