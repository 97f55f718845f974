// ReDraw in each DataKind, and the loads that lead to each.

#include <filesystem>

#include "main_window_fixture.h"
#include "platform/error.h"

namespace orbisk::testing {
namespace {

using MainWindowRedraw = MainWindowTest;

TEST_F(MainWindowRedraw, RightAfterStartDoesNothingVisible) {
  EXPECT_EQ(main->GetDataKind(), kDataNothing);
  EXPECT_EQ(bitmap.width, 500);
  EXPECT_EQ(bitmap.height, 500);
  main->mnEditRedrawClick();
  EXPECT_FALSE(bitmap.Drawn());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.log.back(), "cursor");
}

TEST_F(MainWindowRedraw, AfterATracedGridRetracesWithTheCurrentLevelCount) {
  WithFile(File("grid.dat", kSmallCylData), [&] { main->mnFileLoad3dClick(); });
  ASSERT_TRUE(ui.messages.empty()) << ui.messages.front();
  EXPECT_EQ(main->GetDataKind(), kDataTraced);
  const std::int32_t linesWith14 = main->Store().LinesFi.Count();
  ASSERT_GT(linesWith14, 1);

  main->mnEditClearClick();
  ChangeSettings([](SettingsDialogControls& c) { c.edNLevelContour = "1"; });
  main->mnEditClearClick();
  main->mnEditRedrawClick();
  EXPECT_TRUE(bitmap.Drawn());
  EXPECT_EQ(main->Store().LinesFi.Count(), 1);
  EXPECT_EQ(main->GetDataKind(), kDataTraced);
}

TEST_F(MainWindowRedraw, AfterAFailedCylLoadTracesThePartlyLoadedGrid) {
  WithFile(File("bad.dat", "3 0 3.14159\n3 1 2\n1 2 3\n1 2,5 3\n"), [&] { main->mnFileLoad3dClick(); });
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0], "Invalid numeric input");
  EXPECT_EQ(main->GetDataKind(), kDataCylFile);
  EXPECT_FALSE(bitmap.Drawn());
  EXPECT_EQ(ui.log.back(), "message: Invalid numeric input");  // cursor already back

  main->mnEditRedrawClick();
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(main->GetDataKind(), kDataTraced);
  EXPECT_TRUE(bitmap.Drawn());
  EXPECT_EQ(main->Grid().MaxValue, 3);  // the unread cells are zeros
  EXPECT_EQ(main->Grid().MinValue, 0);
}

TEST_F(MainWindowRedraw, AfterAPolarLoadRereadsTheFileAsItIsNow) {
  const std::string path = File("lines.dat", kOnePolyline);
  WithFile(path, [&] { main->mnFileLoadPolarClick(); });
  ASSERT_TRUE(ui.messages.empty()) << ui.messages.front();
  EXPECT_EQ(main->GetDataKind(), kDataPolarFile);
  EXPECT_EQ(main->Store().LinesFi.Count(), 1);
  EXPECT_TRUE(bitmap.Drawn());

  WriteFile(path, kTwoPolylines);
  main->mnEditClearClick();
  main->mnEditRedrawClick();
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(main->Store().LinesFi.Count(), 2);
  EXPECT_TRUE(bitmap.Drawn());
  EXPECT_EQ(main->GetDataKind(), kDataPolarFile);
}

TEST_F(MainWindowRedraw, AfterThePolarFileVanishedShowsWhyAndKeepsThePicture) {
  const std::string path = File("lines.dat", kOnePolyline);
  WithFile(path, [&] { main->mnFileLoadPolarClick(); });
  const std::string before = bitmap.Picture();
  std::filesystem::remove(path);

  main->mnEditRedrawClick();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0], "File not found");
  EXPECT_EQ(bitmap.Picture(), before);
  EXPECT_EQ(main->GetDataKind(), kDataPolarFile);
  EXPECT_EQ(ui.log.back(), "message: File not found");
}

TEST_F(MainWindowRedraw, ErrorsOfTheTracingAreShownAndThePictureStays) {
  WithFile(File("grid.dat", kSmallCylData), [&] { main->mnFileLoad3dClick(); });
  const std::string before = bitmap.Picture();
  ChangeSettings([](SettingsDialogControls& c) { c.edNLevelContour = "0"; });  // its redraw fails
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0], "Floating point division by zero");
  EXPECT_EQ(bitmap.Picture(), before);
  EXPECT_EQ(ui.log.back(), "message: Floating point division by zero");
}

TEST_F(MainWindowRedraw, AfterTheDelimiterToolRereadsItsSourceAsPolarData) {
  WithFile(File("lines.dat", kOnePolyline), [&] { main->mnFileLoadPolarClick(); });
  const std::string source = File("two.txt", kTwoPolylines);
  ui.fileAnswers = {source, dir.File("two-commas.txt")};
  main->mnToolsDelimiterPtoCClick();
  EXPECT_EQ(main->OpenDialogName(), source);

  main->mnEditRedrawClick();
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(main->Store().LinesFi.Count(), 2);
}

TEST(MainWindowLoads, UnopenableFilesRaiseFromTheCommandWithTheKindSet) {
  struct Row {
    const char* name;
    void (TfmMain::*command)();
    std::int32_t kind;
  };
  const Row rows[] = {
      {"cyl", &TfmMain::mnFileLoad3dClick, kDataCylFile},
      {"polar", &TfmMain::mnFileLoadPolarClick, kDataPolarFile},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    FileRegistry registry(dir.File("Kelvaro.reg"));
    FakeUi ui;
    FakeBitmap bitmap;
    FakeDialogs dialogs;
    TfmMain main(ui, bitmap, registry, dialogs);
    main.FormCreate();
    ui.fileAnswers.push_back(dir.File("missing.dat"));
    try {
      (main.*row.command)();
      ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
      EXPECT_STREQ(e.what(), "File not found");
    }
    EXPECT_EQ(main.GetDataKind(), row.kind);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.log.back(), "file dialog: ");  // no hourglass left behind
  }
}

TEST_F(MainWindowTest, APolarLoadWithABadTokenShowsTheMessageAndDrawsNothing) {
  WithFile(File("bad.dat", "1 1 2\n2\n0 1 x 1\n"), [&] { main->mnFileLoadPolarClick(); });
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0], "Invalid numeric input");
  EXPECT_FALSE(bitmap.Drawn());
  EXPECT_EQ(main->GetDataKind(), kDataPolarFile);
}

}  // namespace
}  // namespace orbisk::testing
