// The main window with the options after the 32: chosen levels and what it
// says of those outside the data, the level display in the picture, the value
// under the cursor, and the lines saved as data.

#include <cstdlib>
#include <functional>

#include "main_window_fixture.h"

namespace orbisk::testing {
namespace {

class MainWindowLevels : public MainWindowTest {
 protected:
  // Runs Tools > Settings, changing the second dialog's controls before OK.
  void ChangeLevels(const std::function<void(LevelControls&)>& change) {
    dialogs.settingsScript = [&](SettingsDialogModel& model) {
      model.FormActivate();
      change(model.levelControls);
      model.Transfer();
    };
    main->mnSettingsClick();
    dialogs.settingsScript = nullptr;
  }
};

// A 500 x 500 picture of a map with RExt 2 puts x at pixel 250 + 120 x, y at
// pixel 250 - 120 y.
int Px(double x) { return static_cast<int>(250 + 120 * x); }
int Py(double y) { return static_cast<int>(250 - 120 * y); }

TEST_F(MainWindowLevels, TheValueUnderTheCursorComesFromWhatThePictureShows) {
  const std::string grid = File("grid.dat", kSmallCylData);  // values 1 + 2 (r - 1) over a half annulus
  const std::string lines = File("lines.dat", kOnePolyline);
  const struct {
    const char* name;
    std::function<void()> load;
    int px, py;
    std::string text;
  } rows[] = {
      {"nothing drawn yet", [] {}, Px(1.5), Py(0), ""},
      {"a formula, evaluated", [&] { main->mnNewCylDataClick(); }, Px(1.5), Py(0),
       "φ = 0° (0 rad)  r = 1.5  x = 1.5  y = 0  F = 2"},
      {"a formula, inside the hole", [] {}, Px(0.5), Py(0),
       "φ = 0° (0 rad)  r = 0.5  x = 0.5  y = 0  outside the domain"},
      {"a formula failing there",
       [&] {
         dialogs.functionAnswers.push_back(FunctionTexts{"1/(x-1.5)", "0.0", "2*pi", "1.0", "2.0", "10", "10"});
         main->mnNewCylDataClick();
       },
       Px(1.5), Py(0), "φ = 0° (0 rad)  r = 1.5  x = 1.5  y = 0  F: Floating point division by zero"},
      {"a grid, interpolated", [&] { WithFile(grid, [&] { main->mnFileLoad3dClick(); }); }, Px(1.25), Py(0),
       "φ = 0° (0 rad)  r = 1.25  x = 1.25  y = 0  F ≈ 1.5 (interpolated)"},
      {"a grid, the angle of the sector", [] {}, Px(0), Py(1.5),
       "φ = 90° (1.5708 rad)  r = 1.5  x = 0  y = 1.5  F ≈ 2 (interpolated)"},
      {"a grid, outside its half annulus", [] {}, Px(0), Py(-1.5),
       "φ = -90° (-1.5708 rad)  r = 1.5  x = 0  y = -1.5  outside the domain"},
      {"Polar Data, coordinates only", [&] { WithFile(lines, [&] { main->mnFileLoadPolarClick(); }); }, Px(1.25), Py(0),
       "φ = 0° (0 rad)  r = 1.25  x = 1.25  y = 0"},
      {"cleared", [&] { main->mnEditClearClick(); }, Px(1.25), Py(0), ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    row.load();
    EXPECT_EQ(main->CursorText(row.px, row.py), row.text);
  }
}

TEST_F(MainWindowLevels, ChosenLevelsOutsideTheDataAreToldOnceThePictureIsDrawn) {
  WithFile(File("grid.dat", kSmallCylData), [&] { main->mnFileLoad3dClick(); });
  ui.log.clear();
  ChangeLevels([](LevelControls& c) {
    c.rbLevelMode = LevelMode::List;
    c.edLevelList = "0, 2, 9";
  });
  const std::string note = "2 of the chosen levels lie outside the data's range (1 to 3) and draw nothing";
  EXPECT_EQ(ui.messages, std::vector<std::string>{note});
  EXPECT_EQ(ui.log.back(), "message: " + note);  // after the cursor is back
  ASSERT_GT(main->Store().LinesFi.Count(), 0);
  for (std::int32_t k = 0; k < main->Store().LinesFi.Count(); ++k) EXPECT_EQ(main->Store().LevelOf(k), 2.0L);
  EXPECT_EQ(main->Items().levelChoice.list, (std::vector<long double>{0, 2, 9}));
}

TEST_F(MainWindowLevels, TheLevelDisplayReachesThePictureAndOffDrawsAsBefore) {
  WithFile(File("grid.dat", kSmallCylData), [&] { main->mnFileLoad3dClick(); });
  const std::string plain = bitmap.Picture();
  main->mnEditClearClick();  // the fake picture keeps its calls until then
  ChangeLevels([](LevelControls& c) { c.cbLevelLegend = true; });
  EXPECT_NE(bitmap.Picture().find("TextOut 455 91 1.5\n"), std::string::npos);  // a level in the legend
  main->mnEditClearClick();
  ChangeLevels([](LevelControls& c) { c.cbLevelLegend = false; });
  EXPECT_EQ(bitmap.Picture(), plain);
}

TEST_F(MainWindowLevels, TheLinesAreSavedAsGeoJsonAndCsv) {
  WithFile(File("grid.dat", kSmallCylData), [&] { main->mnFileLoad3dClick(); });
  ChangeLevels([](LevelControls& c) {
    c.rbLevelMode = LevelMode::List;
    c.edLevelList = "1.5 2.5";
  });
  const std::string geoJson = dir.File("out.geojson");
  WithFile(geoJson, [&] { main->mnSaveLinesGeoJsonClick(); });
  const std::string csv = dir.File("out.csv");
  WithFile(csv, [&] { main->mnSaveLinesCsvClick(); });
  ASSERT_EQ(ui.fileDialogs.size(), 3u);  // the grid's, then the two lines'
  EXPECT_EQ(ui.fileDialogs[1], std::make_pair(FileDialogKind::LinesGeoJson, std::string("lines.geojson")));
  EXPECT_EQ(ui.fileDialogs[2], std::make_pair(FileDialogKind::LinesCsv, std::string("lines.csv")));
  EXPECT_EQ(ReadFile(csv).substr(0, 33), "level,line,point,phi,r,x,y\r\n1.5,0");
  if (std::system("command -v python3 >/dev/null 2>&1") == 0) {
    const std::string check = "python3 " ORBISK_TESTS_DIR "/app/check_geojson.py " + geoJson + " 1.5,2.5 >/dev/null";
    EXPECT_EQ(std::system(check.c_str()), 0) << check;
  }
  // The names are proposed again; a cancelled dialog writes nothing.
  ui.fileAnswers.push_back(std::nullopt);
  main->mnSaveLinesCsvClick();
  EXPECT_EQ(ui.fileDialogs.back(), std::make_pair(FileDialogKind::LinesCsv, csv));
  EXPECT_TRUE(ui.errors.empty());
}

}  // namespace
}  // namespace orbisk::testing
