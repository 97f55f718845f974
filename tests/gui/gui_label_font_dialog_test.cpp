// The label font dialog: it opens on the face that drawing uses, gives back an
// untouched font unchanged, and carries the colour with the font.

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "gui/label_font_dialog.h"
#include "gui/style_pickers.h"
#include "gui_test_support.h"
#include "qt/qt_fonts.h"

namespace orbisk {
namespace {

using testing::AnswerNextDialog;

FontSpec Font(const char* name, int size, Color color = 0, bool bold = false, bool italic = false,
              bool underline = false, bool strikeOut = false) {
  return {name, size, color, bold, italic, underline, strikeOut};
}

// Where the keys typed into dialog go, once it is the active window.
QWidget* FocusOf(QDialog& dialog) {
  QApplication::setActiveWindow(&dialog);
  return dialog.focusWidget() != nullptr ? dialog.focusWidget() : &dialog;
}

TEST(LabelFontDialog, ConfirmingAnUntouchedDialogGivesBackThePreset) {
  const struct {
    const char* row;
    FontSpec font;
  } cases[] = {
      {"the default", FontSpec{}},
      {"every style and a colour", Font("Times New Roman Cyr", 10, 0x0000FF, true, true, true, true)},
      {"a real face, huge", Font("DejaVu Sans", 300, 0x00FF00)},
      {"beyond the dialog's sizes", Font("DejaVu Sans", 1000)},
      {"a face that does not exist", Font("No Such Face", 9)},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.row);
    std::optional<FontSpec> shown;
    AnswerNextDialog([&shown](QDialog& dialog) {
      auto& fonts = static_cast<LabelFontDialog&>(dialog);
      shown = fonts.LabelFont();
      // It shows the face that drawing substitutes for the name.
      EXPECT_EQ(fonts.FontPart()->currentFont().family(), ToQFont(*shown).family());
      // The keyboard starts in the font part, and Enter confirms, also from
      // one of its edits (which pass Enter on to the part).
      EXPECT_TRUE(fonts.FontPart()->isAncestorOf(FocusOf(dialog)));
      QTest::keyClick(fonts.FontPart()->findChild<QLineEdit*>(), Qt::Key_Return);
    });
    DialogPickers pickers;
    EXPECT_EQ(pickers.PickFont(row.font, nullptr), row.font);
  }
  AnswerNextDialog([](QDialog& dialog) { QTest::keyClick(FocusOf(dialog), Qt::Key_Escape); });
  DialogPickers pickers;
  EXPECT_EQ(pickers.PickFont(FontSpec{}, nullptr), std::nullopt);
}

TEST(LabelFontDialog, GivesBackWhatWasChangedWithItsColour) {
  std::vector<Color> presets;  // what the colour dialog was preset to
  LabelFontDialog dialog([&presets](Color color, QWidget*) -> std::optional<Color> {
    presets.push_back(color);
    return 0x123456;
  });
  dialog.SetLabelFont(Font("Arial Cyr", 12, 0x0000FF));
  QFont serif("DejaVu Serif");
  serif.setPointSize(20);
  serif.setItalic(true);
  dialog.FontPart()->setCurrentFont(serif);
  QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
  QApplication::sendEvent(dialog.ColorPart(), &space);
  EXPECT_EQ(presets, std::vector<Color>{0x0000FF});
  EXPECT_EQ(dialog.LabelFont(), Font("DejaVu Serif", 20, 0x123456, false, true));
}

}  // namespace
}  // namespace orbisk
