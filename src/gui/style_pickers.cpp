#include "gui/style_pickers.h"

#include <QColorDialog>
#include <QFontDialog>
#include <cmath>

#include "gui/color_swatch.h"

namespace orbisk {

std::optional<Color> DialogPickers::PickColor(Color color, QWidget* owner) {
  const QColor chosen = QColorDialog::getColor(ToQColor(color), owner);
  if (!chosen.isValid()) return std::nullopt;
  return FromQColor(chosen);
}

std::optional<FontSpec> DialogPickers::PickFont(const FontSpec& font, QWidget* owner) {
  QFont preset(QString::fromStdString(font.name));
  if (font.size > 0) preset.setPointSize(font.size);
  preset.setBold(font.bold);
  preset.setItalic(font.italic);
  preset.setUnderline(font.underline);
  preset.setStrikeOut(font.strikeOut);
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, preset, owner);
  if (!ok) return std::nullopt;
  FontSpec result = font;
  result.name = chosen.family().toStdString();
  result.size =
      chosen.pointSize() > 0 ? chosen.pointSize() : static_cast<int>(std::lround(chosen.pixelSize() * 72.0 / 96.0));
  result.bold = chosen.bold();
  result.italic = chosen.italic();
  result.underline = chosen.underline();
  result.strikeOut = chosen.strikeOut();
  return result;
}

}  // namespace orbisk
