#pragma once
// The colour and font pickers of the settings dialog, behind an interface so
// that tests can answer them.

#include <QWidget>
#include <optional>

#include "platform/canvas.h"
#include "platform/color.h"

namespace orbisk {

class StylePickers {
 public:
  virtual ~StylePickers() = default;
  // Runs a colour dialog preset to color; the chosen colour, or nothing.
  virtual std::optional<Color> PickColor(Color color, QWidget* owner) = 0;
  // Runs a font dialog preset to font; the chosen font with its colour, or
  // nothing.
  virtual std::optional<FontSpec> PickFont(const FontSpec& font, QWidget* owner) = 0;
};

// QColorDialog, and the label font dialog (a QFontDialog with a colour).
class DialogPickers : public StylePickers {
 public:
  std::optional<Color> PickColor(Color color, QWidget* owner) override;
  std::optional<FontSpec> PickFont(const FontSpec& font, QWidget* owner) override;
};

}  // namespace orbisk
