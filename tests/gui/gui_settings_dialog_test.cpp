// The settings dialog: shows the items, transfers them on OK (a bad integer
// keeps it open after a partial transfer), resets them with Default, and the
// colour and font pickers change only the controls until OK.

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>

#include "app/settings_store.h"
#include "gui/font_sample.h"
#include "gui/settings_dialog.h"
#include "gui/style_pickers.h"
#include "qt/qt_bitmap.h"
#include "support/fake_ui.h"

namespace orbisk {
namespace {

using testing::FakeUi;

// Answers every colour dialog with colour and every font dialog with font.
class ScriptedPickers : public StylePickers {
 public:
  std::optional<Color> PickColor(Color, QWidget*) override { return color; }
  std::optional<FontSpec> PickFont(const FontSpec&, QWidget*) override { return font; }
  std::optional<Color> color;
  std::optional<FontSpec> font;
};

class SettingsDialogTest : public ::testing::Test {
 protected:
  SettingsDialogTest() : picture_(500, 500) {}

  std::unique_ptr<Tfmset> Open() {
    models_.push_back(std::make_unique<SettingsDialogModel>(settings_, picture_, labelFont_));
    auto dialog = std::make_unique<Tfmset>(*models_.back(), ui_, pickers_);
    dialog->show();
    return dialog;
  }
  static QString TextOf(Tfmset& dialog, const char* edit) { return dialog.findChild<QLineEdit*>(edit)->text(); }
  static void Type(Tfmset& dialog, const char* edit, const char* text) {
    dialog.findChild<QLineEdit*>(edit)->setText(text);
  }
  static void Press(Tfmset& dialog, const char* button) { dialog.findChild<QPushButton*>(button)->click(); }

  Settings settings_;
  QtBitmap picture_;
  FontSpec labelFont_;
  FakeUi ui_;
  ScriptedPickers pickers_;
  std::vector<std::unique_ptr<SettingsDialogModel>> models_;  // one per opening
};

TEST_F(SettingsDialogTest, ShowsTheDefaults) {
  auto dialog = Open();
  EXPECT_EQ(dialog->windowTitle(), "Settings");
  const std::pair<const char*, const char*> edits[] = {
      {"edWidth", "500"},      {"edHeight", "500"},    {"edFitXY", "1"},          {"edFitIntCircle", "2"},
      {"edFitExtCircle", "2"}, {"edFitFunction", "1"}, {"edNLevelContour", "14"}, {"edLabelFormat", ".4g"}};
  for (const auto& [name, text] : edits) EXPECT_EQ(TextOf(*dialog, name), text) << name;
  for (const char* box : {"cbXY", "cbIntCircle", "cbExtCircle", "cbLabelPresent"}) {
    EXPECT_TRUE(dialog->findChild<QCheckBox*>(box)->isChecked()) << box;
  }
  EXPECT_EQ(dialog->findChild<QPushButton*>("btCancel")->text(), "Отмена");
  EXPECT_EQ(dialog->findChild<QPushButton*>("btLabelFont")->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(dialog->findChild<QLabel*>("lbLabelFont")->font().pixelSize(), 16);  // 12 points
}

TEST_F(SettingsDialogTest, ABadIntegerStopsTheTransferThereAndKeepsTheDialogOpen) {
  auto dialog = Open();
  Type(*dialog, "edWidth", "800");
  Type(*dialog, "edFitXY", " 3");
  Type(*dialog, "edFitFunction", "$0C");
  Type(*dialog, "edNLevelContour", "abc");
  Type(*dialog, "edLabelFormat", ".2f");
  Press(*dialog, "btOk");
  EXPECT_EQ(ui_.errors, std::vector<std::string>{"'abc' is not a valid integer value."});
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(picture_.Width(), 800);  // taken before the bad edit
  EXPECT_EQ(settings_.plot.XY_Width, 3);
  EXPECT_EQ(settings_.plot.Function_Width, 12);
  EXPECT_EQ(settings_.plot.Label_Format, ".4g");  // after it: not taken

  ui_.errors.clear();
  Type(*dialog, "edNLevelContour", "7 ");
  Press(*dialog, "btOk");
  EXPECT_EQ(ui_.errors, std::vector<std::string>{"'7 ' is not a valid integer value."});

  ui_.errors.clear();
  Type(*dialog, "edNLevelContour", "7");
  Press(*dialog, "btOk");
  EXPECT_TRUE(ui_.errors.empty());
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(settings_.plot.Contour_NLevel, 7);
  EXPECT_EQ(settings_.plot.Label_Format, ".2f");
}

TEST_F(SettingsDialogTest, PickedColourAndFontReachTheItemsOnlyOnOk) {
  pickers_.color = 0x0000FF;
  FontSpec chosen;
  chosen.name = "Liberation Serif";
  chosen.size = 20;
  chosen.bold = true;
  pickers_.font = chosen;
  for (const bool ok : {false, true}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    auto dialog = Open();
    auto* swatch = dialog->findChild<ColorSwatch*>("shColorIntCircle");
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3), Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    QApplication::sendEvent(swatch, &press);
    EXPECT_EQ(swatch->GetColor(), 0x0000FFu);
    Press(*dialog, "btLabelFont");
    EXPECT_TRUE(dialog->findChild<QLabel*>("lbLabelFont")->font().bold());
    Press(*dialog, ok ? "btOk" : "btCancel");
    EXPECT_EQ(settings_.plot.IntCircle_Color, ok ? 0x0000FFu : 0u);
    EXPECT_EQ(settings_.plot.Label_FontName, ok ? "Liberation Serif" : "Arial Cyr");
    EXPECT_EQ(settings_.plot.Label_FontSize, ok ? 20 : 12);
    EXPECT_EQ(labelFont_.bold, ok);
  }
}

TEST_F(SettingsDialogTest, KeepsItsSizeWhateverTheLabelFontAndScalesTheSampleDown) {
  const struct {
    int points;
    bool scaled;
  } cases[] = {{1, false}, {12, false}, {72, true}, {300, true}};
  for (const auto& row : cases) {
    SCOPED_TRACE(row.points);
    settings_.plot.Label_FontSize = row.points;
    auto dialog = Open();
    EXPECT_EQ(dialog->size(), QSize(365, 186));
    EXPECT_EQ(dialog->pos(), QPoint(171, 166));
    // Nothing is squeezed: the controls fit without overlapping.
    const QSize needed = dialog->layout()->minimumSize();
    EXPECT_LE(needed.width(), 365);
    EXPECT_LE(needed.height(), 186);
    for (QWidget* control : dialog->findChildren<QWidget*>()) {
      if (control->objectName().isEmpty() || !control->isVisible()) continue;
      const QRect where(control->mapTo(dialog.get(), QPoint(0, 0)), control->size());
      EXPECT_TRUE(dialog->rect().contains(where)) << control->objectName().toStdString();
    }
    auto* sample = dialog->findChild<FontSample*>("lbLabelFont");
    EXPECT_EQ(sample->Scale() < 1.0, row.scaled);
  }
}

TEST_F(SettingsDialogTest, DefaultResetsEveryItemAndCancelKeepsThat) {
  settings_.pictureWidth = 800;
  picture_.SetWidth(800);
  settings_.plot.Contour_NLevel = 3;
  settings_.function.SFCyl = "x";
  settings_.SavedBMP = "old.bmp";
  auto dialog = Open();
  EXPECT_EQ(TextOf(*dialog, "edWidth"), "800");
  Type(*dialog, "edHeight", "77");
  Press(*dialog, "btDefault");
  EXPECT_EQ(TextOf(*dialog, "edWidth"), "500");
  EXPECT_EQ(TextOf(*dialog, "edHeight"), "500");
  EXPECT_EQ(TextOf(*dialog, "edNLevelContour"), "14");
  Press(*dialog, "btCancel");
  EXPECT_EQ(settings_, Settings{});
  EXPECT_EQ(picture_.Width(), 500);
}

}  // namespace
}  // namespace orbisk
