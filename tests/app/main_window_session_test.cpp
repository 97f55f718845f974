// Whole runs of the main window, from FormCreate to FormDestroy.

#include "app/settings_dialog_model.h"
#include "main_window_fixture.h"
#include "platform/error.h"

namespace orbisk::testing {
namespace {

using MainWindowSession = MainWindowTest;

TEST_F(MainWindowSession, ScriptedRunSurvivesARestart) {
  // File > New > Cyl Data with the default texts.
  main->mnNewCylDataClick();
  ASSERT_EQ(dialogs.functionShown.size(), 1u);
  EXPECT_EQ(dialogs.functionShown[0], TextsOf(FunctionRecord{}));
  ASSERT_TRUE(dialogs.refusals.empty()) << dialogs.refusals.front();
  EXPECT_EQ(main->GetDataKind(), kDataTraced);
  EXPECT_EQ(main->Grid().NFi, 100);
  EXPECT_EQ(main->Grid().NR, 100);
  EXPECT_GT(main->Store().LinesFi.Count(), 0);
  EXPECT_TRUE(bitmap.Drawn());
  const std::string map = bitmap.Picture();

  // File > Save > Picture, proposing "new.bmp" first.
  const std::string picture = dir.File("map.bmp");
  WithFile(picture, [&] { main->mnFileSavePictureClick(); });
  EXPECT_EQ(ui.fileDialogs.back(), std::make_pair(FileDialogKind::Picture, std::string("new.bmp")));
  EXPECT_EQ(ReadFile(picture), map);

  // File > Save > Cyl Data, then load it back: the same map.
  const std::string grid = dir.File("grid.dat");
  WithFile(grid, [&] { main->mnSaveCylDataClick(); });
  EXPECT_EQ(ReadFile(grid).substr(0, 4), "100 ");
  main->mnEditClearClick();
  WithFile(grid, [&] { main->mnFileLoad3dClick(); });
  EXPECT_EQ(main->GetDataKind(), kDataTraced);
  EXPECT_TRUE(bitmap.Drawn());

  // File > Load > Polar Data, then ReDraw rereads it.
  const std::string lines = File("lines.dat", kTwoPolylines);
  WithFile(lines, [&] { main->mnFileLoadPolarClick(); });
  EXPECT_EQ(main->GetDataKind(), kDataPolarFile);
  main->mnEditClearClick();
  main->mnEditRedrawClick();
  EXPECT_TRUE(bitmap.Drawn());
  EXPECT_EQ(main->Store().LinesFi.Count(), 2);

  // Tools > Settings: 800 x 300, OK.
  dialogs.settingsScript = [&](SettingsDialogModel& model) {
    model.FormActivate();
    model.controls.edWidth = "800";
    model.controls.edHeight = "300";
    model.Transfer();
  };
  main->mnSettingsClick();
  EXPECT_EQ(bitmap.width, 800);
  EXPECT_EQ(bitmap.height, 300);
  EXPECT_TRUE(bitmap.Drawn());
  main->mnEditCopyClick();
  EXPECT_EQ(bitmap.copies.back(), std::make_pair(800, 300));

  // File > Exit: the front end closes the window, which runs FormDestroy.
  main->mnExitClick();
  EXPECT_EQ(dialogs.closeRequests, 1);
  main->FormDestroy();
  EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
  EXPECT_TRUE(ui.errors.empty()) << ui.errors.front();

  // The next run.
  Start();
  EXPECT_EQ(bitmap.width, 800);
  EXPECT_EQ(bitmap.height, 300);
  EXPECT_EQ(TextsOf(main->Function()), TextsOf(FunctionRecord{}));
  // Stored as a double, so it comes back rounded to one.
  EXPECT_EQ(main->Function().ErrorValue, static_cast<double>(FunctionRecord{}.ErrorValue));
  EXPECT_EQ(main->PictureDialogName(), picture);
  EXPECT_EQ(main->OpenDialogName(), lines);
  EXPECT_EQ(main->SaveDialogName(), grid);
  EXPECT_EQ(main->GetDataKind(), kDataNothing);
  EXPECT_FALSE(bitmap.Drawn());
  main->mnNewCylDataClick();
  EXPECT_EQ(dialogs.functionShown.back(), TextsOf(FunctionRecord{}));
}

TEST_F(MainWindowSession, AnAcceptedFormulaIsStoredAndShownNextTime) {
  FunctionTexts typed = {"x+y", "0", "pi", "0.5", "1", "10", "12"};
  dialogs.functionAnswers.push_back(typed);
  main->mnNewCylDataClick();
  EXPECT_EQ(TextsOf(main->Function()), typed);
  main->FormDestroy();
  main->FormDestroy();  // the close after Exit saves once only

  Start();
  EXPECT_EQ(TextsOf(main->Function()), typed);
  main->mnNewCylDataClick();
  EXPECT_EQ(dialogs.functionShown.back(), typed);
}

TEST_F(MainWindowSession, CancelledDialogsChangeNothing) {
  dialogs.functionAnswers.push_back(std::nullopt);
  main->mnNewCylDataClick();
  main->mnFileSavePictureClick();  // no file answer: cancelled
  main->mnFileLoad3dClick();
  main->mnToolsDelimiterPexCClick();
  EXPECT_EQ(main->GetDataKind(), kDataNothing);
  EXPECT_FALSE(bitmap.Drawn());
  const Settings defaults;
  EXPECT_EQ(main->Items(), defaults);
  EXPECT_EQ(main->Grid().NFi, 0);
}

TEST_F(MainWindowSession, ARefusedFormulaNeverReachesTheRecord) {
  FunctionTexts typed = TextsOf(FunctionRecord{});
  typed[kTextNR] = "257";
  dialogs.functionAnswers.push_back(typed);
  main->mnNewCylDataClick();
  EXPECT_EQ(dialogs.refusals, std::vector<std::string>{"Must be NR from 2 to 256"});
  EXPECT_EQ(main->Function(), FunctionRecord{});
  EXPECT_EQ(main->GetDataKind(), kDataNothing);
}

TEST_F(MainWindowSession, ATracingFailureAfterSamplingPropagatesWithTheCursorBack) {
  ChangeSettings([](SettingsDialogControls& c) { c.edNLevelContour = "0"; });
  EXPECT_THROW(main->mnNewCylDataClick(), MathError);
  EXPECT_EQ(ui.log.back(), "cursor");
  EXPECT_EQ(main->GetDataKind(), kDataTraced);
}

TEST_F(MainWindowSession, HelpAndAbout) {
  main->mnHelpContentsClick();
  EXPECT_EQ(ui.log.back(), "help: /opt/orbisk/bin/orbisk.html");
  main->mnAboutClick();
  EXPECT_EQ(ui.log.back().rfind("information: About Orbisk: Orbisk 1.0.0", 0), 0u);
}

TEST(HelpFileFor, ReplacesTheProgramFilesExtension) {
  struct Row {
    const char* program;
    const char* help;
  };
  const Row rows[] = {
      {"/opt/orbisk/bin/orbisk", "/opt/orbisk/bin/orbisk.html"},
      {"/opt/orbisk/bin/orbisk.bin", "/opt/orbisk/bin/orbisk.html"},
      {"/home/a.b/orbisk", "/home/a.b/orbisk.html"},  // a dot in a folder is not an extension
      {"orbisk", "orbisk.html"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.program);
    EXPECT_EQ(HelpFileFor(row.program), row.help);
  }
}

TEST_F(MainWindowSession, GeneratorsWriteFilesThatLoad) {
  const std::string grid = dir.File("test3d.dat");
  WithFile(grid, [&] { main->mnGenerateClick(); });
  EXPECT_EQ(main->GetDataKind(), kDataNothing);
  EXPECT_FALSE(bitmap.Drawn());
  const std::string lines = dir.File("testpolar.dat");
  WithFile(lines, [&] { main->GenPolar1Click(); });
  EXPECT_EQ(main->Store().LinesFi.Count(), 3);

  WithFile(grid, [&] { main->mnFileLoad3dClick(); });
  EXPECT_EQ(main->Grid().NFi, 100);
  WithFile(lines, [&] { main->mnFileLoadPolarClick(); });
  EXPECT_EQ(main->Store().LinesFi.Count(), 3);
  EXPECT_EQ(main->Grid().RExt, 20);
  EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
}

}  // namespace
}  // namespace orbisk::testing
