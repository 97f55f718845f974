// The options after the 32 in the desktop program: the second settings
// dialog behind "More...", which keeps every other control in its place, and
// the status line with the value under the mouse.

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <gtest/gtest.h>

#include "gui/main_form.h"
#include "gui/settings_dialog.h"
#include "gui/style_pickers.h"
#include "gui_test_support.h"
#include "platform/file_registry.h"
#include "qt/qt_bitmap.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace orbisk {
namespace {

using testing::AnswerNextDialog;
using testing::FakeUi;

QRect Where(QWidget& widget, QWidget& in) { return {widget.mapTo(&in, QPoint(0, 0)), widget.size()}; }

TEST(LevelsDialog, MoreOpensItAndItsControlsFollowTheSettingsDialogsOkAndCancel) {
  const struct {
    const char* name;
    const char* list;  // typed into edLevelList
    bool levelsOk;     // the second dialog's OK, else its Cancel
    bool settingsOk;   // the settings dialog's OK, else its Cancel
    std::vector<std::string> errors;
    std::vector<long double> stored;  // the list in the items afterwards
  } rows[] = {
      {"both OK", "0,5; 1", true, true, {}, {0.5L, 1}},
      {"a bad value stays open", "0,5; x", true, true, {"'x' is not a valid level value."}, {}},
      {"levels cancelled", "0,5; 1", false, true, {}, {}},
      {"settings cancelled", "0,5; 1", true, false, {}, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Settings settings;
    QtBitmap picture(500, 500);
    FontSpec labelFont;
    FakeUi ui;
    DialogPickers pickers;
    SettingsDialogModel model(settings, picture, labelFont, ',');
    Tfmset dialog(model, ui, pickers);
    dialog.show();
    auto* more = dialog.findChild<QPushButton*>("btLevels");
    ASSERT_NE(more, nullptr);
    EXPECT_EQ(more->text(), "More...");
    // In the Contour group's free room, clear of the count's edit.
    QWidget& group = *more->parentWidget();
    auto* count = dialog.findChild<QLineEdit*>("edNLevelContour");
    EXPECT_TRUE(group.rect().contains(more->geometry()));
    EXPECT_FALSE(Where(*more, dialog).intersects(Where(*count, dialog)));
    bool stayedOpen = false;
    AnswerNextDialog([&](QDialog& levels) {
      EXPECT_EQ(levels.objectName(), "fmLevels");
      EXPECT_TRUE(levels.findChild<QRadioButton*>("rbLevelEven")->isChecked());
      levels.findChild<QRadioButton*>("rbLevelList")->setChecked(true);
      levels.findChild<QLineEdit*>("edLevelList")->setText(row.list);
      levels.findChild<QCheckBox*>("cbStatusLine")->setChecked(true);
      levels.findChild<QPushButton*>(row.levelsOk ? "btOk" : "btCancel")->click();
      stayedOpen = levels.isVisible();
    });
    more->click();
    EXPECT_EQ(stayedOpen, !row.errors.empty());
    EXPECT_EQ(ui.errors, row.errors);
    dialog.findChild<QPushButton*>(row.settingsOk ? "btOk" : "btCancel")->click();
    EXPECT_EQ(settings.levelChoice.list, row.stored);
    EXPECT_EQ(settings.StatusLine_Present, !row.stored.empty());
  }
}

TEST(StatusLine, ShowsTheValueUnderTheMouseOnceTheSettingsTurnItOn) {
  testing::TempDir dir;
  FileRegistry registry(dir.File("settings.reg"));
  FakeUi ui;
  MainForm form(registry, &ui);
  form.show();
  EXPECT_EQ(form.CursorValue(), nullptr);  // the plain layout
  EXPECT_EQ(form.findChild<QStatusBar*>(), nullptr);
  const std::string grid = dir.File("grid.dat");
  testing::WriteFile(grid, "3 0 3.14159\n3 1 2\n1 2 3\n1 2 3\n1 2 3\n");
  ui.fileAnswers = {grid};
  form.RunCommand(&TfmMain::mnFileLoad3dClick);

  auto setStatusLine = [&](bool on) {
    AnswerNextDialog([on](QDialog& settings) {
      AnswerNextDialog([on](QDialog& levels) {
        levels.findChild<QCheckBox*>("cbStatusLine")->setChecked(on);
        levels.findChild<QPushButton*>("btOk")->click();
      });
      settings.findChild<QPushButton*>("btLevels")->click();
      settings.findChild<QPushButton*>("btOk")->click();
    });
    form.RunCommand(&TfmMain::mnSettingsClick);
  };
  setStatusLine(true);
  ASSERT_NE(form.CursorValue(), nullptr);
  EXPECT_TRUE(form.statusBar()->isVisible());
  QMouseEvent move(QEvent::MouseMove, QPointF(400, 250), QPointF(400, 250), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&form.PictureView(), &move);
  EXPECT_EQ(form.CursorValue()->text().toStdString(),
            "φ = 0° (0 rad)  r = 1.25  x = 1.25  y = 0  F ≈ 1.5 (interpolated)");
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&form.PictureView(), &leave);
  EXPECT_TRUE(form.CursorValue()->text().isEmpty());

  setStatusLine(false);
  EXPECT_FALSE(form.statusBar()->isVisible());
  EXPECT_TRUE(ui.errors.empty());
  form.hide();
}

}  // namespace
}  // namespace orbisk
