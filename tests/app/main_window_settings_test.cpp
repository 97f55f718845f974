// Tools > Settings through the settings dialog's model, ending with ReDraw.

#include "app/settings_dialog_model.h"
#include "main_window_fixture.h"
#include "platform/error.h"

namespace orbisk::testing {
namespace {

using MainWindowSettings = MainWindowTest;

// Presses OK: transfers, and on a refused edit records the error box's text
// and cancels, as a user giving up would.
void PressOk(SettingsDialogModel& model, FakeUi& ui) {
  try {
    model.Transfer();
  } catch (const InputError& e) {
    ui.ShowError(e.what());
  }
}

TEST_F(MainWindowSettings, ABadLevelsTextKeepsWhatWasTransferredBeforeIt) {
  WithFile(File("grid.dat", kSmallCylData), [&] { main->mnFileLoad3dClick(); });
  dialogs.settingsScript = [&](SettingsDialogModel& model) {
    model.FormActivate();
    model.controls.edWidth = "800";
    model.controls.edFitXY = "3";
    model.controls.cbLabelPresent = false;
    model.controls.edNLevelContour = "abc";
    PressOk(model, ui);
  };
  main->mnEditClearClick();
  main->mnSettingsClick();

  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_EQ(ui.errors[0], "'abc' is not a valid integer value");
  EXPECT_EQ(bitmap.width, 800);
  EXPECT_EQ(main->Plot().XY_Width, 3);
  EXPECT_EQ(main->Plot().Contour_NLevel, 14);
  EXPECT_TRUE(main->Plot().Label_Present);  // after the bad edit: not taken
  // The redraw follows the cancelled dialog at the new size.
  EXPECT_TRUE(bitmap.Drawn());
  EXPECT_EQ(main->GetDataKind(), kDataTraced);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainWindowSettings, DefaultThenCancelKeepsTheDefaultsAndRedrawsTheOldGrid) {
  FunctionTexts typed = TextsOf(main->Function());
  typed[kTextF] = "x*y";
  typed[kTextNFi] = "20";
  typed[kTextNR] = "10";
  dialogs.functionAnswers.push_back(typed);
  main->mnNewCylDataClick();
  ASSERT_EQ(main->Function().SFCyl, "x*y");
  WithFile(dir.File("saved.dat"), [&] { main->mnSaveCylDataClick(); });
  WithFile(dir.File("map.bmp"), [&] { main->mnFileSavePictureClick(); });
  bitmap.SetHeight(300);
  const std::int32_t tracedLines = main->Store().LinesFi.Count();

  dialogs.settingsScript = [&](SettingsDialogModel& model) {
    model.FormActivate();
    model.btDefaultClick();
    // Cancel: no transfer.
  };
  main->mnEditClearClick();
  main->mnSettingsClick();

  const Settings defaults;
  EXPECT_EQ(main->Items(), defaults);
  EXPECT_EQ(bitmap.width, 500);
  EXPECT_EQ(bitmap.height, 500);
  EXPECT_EQ(main->SaveDialogName(), "");
  EXPECT_EQ(main->PictureDialogName(), "new.bmp");
  // The grid sampled from "x*y" on 20 x 10 points is traced again.
  EXPECT_TRUE(bitmap.Drawn());
  EXPECT_EQ(main->Grid().NFi, 20);
  EXPECT_EQ(main->Store().LinesFi.Count(), tracedLines);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainWindowSettings, DefaultWhilePolarDataIsShownReadsNoFile) {
  WithFile(File("lines.dat", kOnePolyline), [&] { main->mnFileLoadPolarClick(); });
  const std::string before = bitmap.Picture();
  dialogs.settingsScript = [&](SettingsDialogModel& model) { model.btDefaultClick(); };
  main->mnSettingsClick();
  EXPECT_EQ(main->OpenDialogName(), "");
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(main->Store().LinesFi.Count(), 1);
  EXPECT_EQ(bitmap.Picture(), before);
}

}  // namespace
}  // namespace orbisk::testing
