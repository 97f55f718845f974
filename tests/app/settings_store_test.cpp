#include "app/settings_store.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/error.h"
#include "platform/file_registry.h"
#include "platform/registry_text.h"
#include "settings_test_picture.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace orbisk {
namespace {

using testing::FakeUi;
using testing::SizedPicture;
using testing::TempDir;

// Names in the order they are written: each group of three lines as width,
// presence, colour.
const std::vector<std::string> kWritingOrder = {"OpenedFile",
                                                "SavedFile",
                                                "SavedBMP",
                                                "BMPHeight",
                                                "BMPWidth",
                                                "XY_Present",
                                                "XY_Color",
                                                "XY_Width",
                                                "IntCircle_Width",
                                                "IntCircle_Present",
                                                "IntCircle_Color",
                                                "ExtCircle_Width",
                                                "ExtCircle_Present",
                                                "ExtCircle_Color",
                                                "Function_Width",
                                                "Function_Present",
                                                "Function_Color",
                                                "Contour_Color",
                                                "Contour_Width",
                                                "Contour_NLevel",
                                                "Label_Present",
                                                "Label_Format",
                                                "Label_FontName",
                                                "Label_FontSize",
                                                "SFCyl",
                                                "SFiStart",
                                                "SFiEnd",
                                                "SRInt",
                                                "SRExt",
                                                "SNFi",
                                                "SNR",
                                                "ErrorValue"};

// Every item away from its default.
Settings Unusual() {
  Settings s;
  s.plot = {false,    0x0000FF, 3,        false, 0x00FF00, 4,     false,           0xFF0000,          5, false,
            0x123456, 6,        0x654321, 7,     20,       false, "%\"quoted\"\\", "Liberation Sans", 9};
  s.pictureHeight = 300;
  s.pictureWidth = 800;
  s.OpenedFile = "/data/in.dat";
  s.SavedFile = "/data/out \"x\".dat";
  s.SavedBMP = "/pictures/m\xe9t\xe9o.bmp";  // not UTF-8
  s.function = {"sin(x)*\ny", "0.5", "pi", "0.25", "3", "50", "60", -1.5L};
  return s;
}

// Unusual, with every option after the 32 away from its default too.
Settings WithOptions() {
  Settings s = Unusual();
  s.levelChoice = {LevelMode::Step, {0.1L, 2, -3}, 0.25L, 1.0L / 3};
  s.levelDisplay = {true, true, true, ".2f"};
  s.StatusLine_Present = true;
  return s;
}

const std::vector<std::string> kOptionNames = {"Level_Mode",       "Level_List",        "Level_Start",
                                               "Level_Step",       "Level_Colors",      "Level_Legend",
                                               "Level_LineLabels", "Level_ValueFormat", "StatusLine_Present"};

class SettingsStoreTest : public ::testing::Test {
 public:
  // Saves settings as the picture's size says, through a fresh registry.
  void Save(const Settings& settings) {
    SizedPicture shown;
    shown.height = settings.pictureHeight;
    shown.width = settings.pictureWidth;
    FileRegistry registry(path);
    SaveSettings(registry, settings, shown, ui);
  }
  Settings Load() {
    FileRegistry registry(path);
    Settings settings = Unusual();  // whatever the items held before
    LoadSettings(registry, settings, picture, labelFont);
    return settings;
  }
  // Rewrites the stored key through edit.
  void Edit(const std::function<void(RegistryEntries&)>& edit) {
    RegistryEntries entries = ParseRegistryText(testing::ReadFile(path)).value();
    edit(entries);
    testing::WriteFile(path, FormatRegistryText(entries));
  }
  void Set(const std::string& name, const RegistryValue& value) {
    Edit([&](RegistryEntries& entries) {
      for (auto& entry : entries) {
        if (entry.first == name) entry.second = value;
      }
    });
  }
  void Remove(const std::string& name) {
    Edit([&](RegistryEntries& entries) { std::erase_if(entries, [&](auto& e) { return e.first == name; }); });
  }
  void ExpectAllDefaults(const Settings& loaded) {
    EXPECT_EQ(loaded, Settings{});
    EXPECT_EQ(picture.height, 500);
    EXPECT_EQ(picture.width, 500);
    EXPECT_EQ(labelFont.name, "Arial Cyr");
    EXPECT_EQ(labelFont.size, 12);
  }

  TempDir dir;
  std::string path = dir.File("Tevrana/Kelvaro.reg");
  FakeUi ui;
  SizedPicture picture;
  FontSpec labelFont{"Courier", 30, 0x0000FF, true};
};

TEST_F(SettingsStoreTest, FirstStartHasDefaultsAndTheEndWritesAllValuesInOrder) {
  ExpectAllDefaults(Load());
  EXPECT_EQ(picture.resizes, (std::vector<std::string>{"H500", "W500"}));
  EXPECT_EQ(labelFont.color, 0x0000FFu);  // colour and style are not settings
  EXPECT_TRUE(labelFont.bold);

  Save(Settings{});
  std::vector<std::string> written;
  RegistryEntries stored = ParseRegistryText(testing::ReadFile(path)).value();
  for (const auto& entry : stored) written.push_back(entry.first);
  EXPECT_EQ(written, kWritingOrder);
  EXPECT_TRUE(ui.errors.empty());
  Settings expected;
  expected.function.ErrorValue = static_cast<double>(expected.function.ErrorValue);  // stored as a double
  EXPECT_EQ(Load(), expected);
}

TEST_F(SettingsStoreTest, EveryItemSurvivesASaveAndALoad) {
  Save(Unusual());
  Settings loaded = Load();
  EXPECT_EQ(loaded, Unusual());
  EXPECT_EQ(picture.resizes, (std::vector<std::string>{"H300", "W800"}));
  EXPECT_EQ(labelFont.name, "Liberation Sans");
  EXPECT_EQ(labelFont.size, 9);
}

TEST_F(SettingsStoreTest, ErrorValueIsStoredAsALittleEndianDouble) {
  Settings settings;
  settings.function.ErrorValue = 0.1L;  // not a double: rounds on the way out
  Save(settings);
  FileRegistry registry(path);
  ASSERT_TRUE(registry.Open(RegistryAccess::Read));
  EXPECT_EQ(registry.Read("ErrorValue"), BinaryValue("\x9a\x99\x99\x99\x99\x99\xb9\x3f"));
  registry.Close();
  EXPECT_EQ(Load().function.ErrorValue, static_cast<long double>(0.1));
}

TEST_F(SettingsStoreTest, TheStoredSizeIsThePicturesActualSize) {
  Settings settings;  // still says 500 x 500
  picture.height = 123;
  picture.width = 456;
  FileRegistry registry(path);
  SaveSettings(registry, settings, picture, ui);
  Settings loaded = Load();
  EXPECT_EQ(loaded.pictureHeight, 123);
  EXPECT_EQ(loaded.pictureWidth, 456);
}

TEST_F(SettingsStoreTest, AnyBadNonStringValueMakesEveryItemItsDefault) {
  const struct {
    const char* name;
    std::function<void(SettingsStoreTest&)> spoil;
  } rows[] = {
      {"Contour_Width missing", [](auto& t) { t.Remove("Contour_Width"); }},
      {"BMPWidth as a string", [](auto& t) { t.Set("BMPWidth", StringValue("800")); }},
      {"XY_Present as binary", [](auto& t) { t.Set("XY_Present", BinaryValue(std::string("\x01\0\0\0", 4))); }},
      {"ErrorValue missing", [](auto& t) { t.Remove("ErrorValue"); }},
      {"ErrorValue of 4 bytes", [](auto& t) { t.Set("ErrorValue", BinaryValue(std::string("\0\0\x80\x3f", 4))); }},
      {"ErrorValue of 10 bytes", [](auto& t) { t.Set("ErrorValue", BinaryValue(std::string(10, '\x01'))); }},
      {"ErrorValue as a dword", [](auto& t) { t.Set("ErrorValue", DwordValue(1)); }},
      {"ErrorValue NaN", [](auto& t) { t.Set("ErrorValue", BinaryValue(std::string("\0\0\0\0\0\0\xf8\x7f", 8))); }},
      {"ErrorValue -infinity",
       [](auto& t) { t.Set("ErrorValue", BinaryValue(std::string("\0\0\0\0\0\0\xf0\xff", 8))); }},
      {"SFCyl as a dword", [](auto& t) { t.Set("SFCyl", DwordValue(1)); }},
      {"Label_Format as binary", [](auto& t) { t.Set("Label_Format", BinaryValue(".4g")); }},
      {"a dword of 2 bytes",
       [](auto& t) {
         t.Set("Contour_NLevel", {RegistryType::Dword, std::string("\x14\x00", 2)});
       }},
      {"the file malformed", [](auto& t) { testing::WriteFile(t.path, "REGEDIT4\n[elsewhere]\n"); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Save(Unusual());
    row.spoil(*this);
    picture.resizes.clear();
    ExpectAllDefaults(Load());
    EXPECT_TRUE(ui.errors.empty() && ui.messages.empty());
  }
}

TEST_F(SettingsStoreTest, AMissingStringReadsEmptyAndTheRestLoads) {
  for (const char* name : {"Label_Format", "SavedBMP", "SFCyl"}) {
    SCOPED_TRACE(name);
    Save(Unusual());
    Remove(name);
    Settings expected = Unusual();
    if (std::string(name) == "Label_Format") expected.plot.Label_Format.clear();
    if (std::string(name) == "SavedBMP") expected.SavedBMP.clear();
    if (std::string(name) == "SFCyl") expected.function.SFCyl.clear();
    EXPECT_EQ(Load(), expected);
  }
}

TEST_F(SettingsStoreTest, StringsAreTakenUnexpandedUpToTheirFirstNul) {
  Save(Unusual());
  Set("SFCyl", ExpandStringValue("%HOME%"));
  Set("SFiEnd", StringValue(std::string("2*pi\0junk", 9)));
  Set("SNR", {RegistryType::String, ""});  // no data at all
  Settings loaded = Load();
  EXPECT_EQ(loaded.function.SFCyl, "%HOME%");
  EXPECT_EQ(loaded.function.SFiEnd, "2*pi");
  EXPECT_EQ(loaded.function.SNR, "");
  EXPECT_EQ(loaded.function.SNFi, "50");
}

TEST_F(SettingsStoreTest, AnyNonZeroDwordIsTrueAndIsWrittenBackAsOne) {
  Settings stored;
  stored.plot.XY_Present = false;
  Save(stored);
  Set("Label_Present", DwordValue(7));
  Settings loaded = Load();
  EXPECT_TRUE(loaded.plot.Label_Present);
  EXPECT_FALSE(loaded.plot.XY_Present);

  Save(loaded);
  FileRegistry registry(path);
  ASSERT_TRUE(registry.Open(RegistryAccess::Read));
  EXPECT_EQ(registry.Read("Label_Present"), DwordValue(1));
  EXPECT_EQ(registry.Read("XY_Present"), DwordValue(0));
  registry.Close();
}

TEST_F(SettingsStoreTest, AReadOnlyKeyLoadsAndIsLeftAloneAtTheEnd) {
  Save(Unusual());
  const std::string before = testing::ReadFile(path);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(Load(), Unusual());
  Save(Settings{});  // the key cannot be opened for writing: nothing written, nothing shown
  EXPECT_TRUE(ui.errors.empty());
  EXPECT_EQ(testing::ReadFile(path), before);
}

TEST_F(SettingsStoreTest, UnusableStoredValuesGiveEveryDefaultAndNeverAHalfLoadedState) {
  const struct {
    const char* name;
    std::function<void(SettingsStoreTest&)> edit;
  } rows[] = {
      {"a picture too large to allocate",
       [](SettingsStoreTest& t) {
         t.Set("BMPHeight", DwordValue(100000));
         t.Set("BMPWidth", DwordValue(100000));
       }},
      {"a picture one pixel wide and 0x7fffffff high",
       [](SettingsStoreTest& t) {
         t.Set("BMPHeight", DwordValue(0x7fffffff));
         t.Set("BMPWidth", DwordValue(1));
       }},
      {"a DWORD stored as a string", [](SettingsStoreTest& t) { t.Set("Contour_NLevel", StringValue("14")); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Save(Unusual());
    row.edit(*this);
    picture = SizedPicture();
    ExpectAllDefaults(Load());
    Save(Settings{});
    EXPECT_TRUE(ui.errors.empty());
    EXPECT_EQ(Load(), Load());  // what the end wrote is whole and loads
  }
}

TEST_F(SettingsStoreTest, AStringWithoutDataReadsEmptyWhateverItsType) {
  Save(Unusual());
  Set("Label_Format", BinaryValue(""));
  Set("SFCyl", RegistryValue{static_cast<RegistryType>(11), ""});
  Settings expected = Unusual();
  expected.plot.Label_Format.clear();
  expected.function.SFCyl.clear();
  EXPECT_EQ(Load(), expected);
}

TEST_F(SettingsStoreTest, AKeyThatCannotBeWrittenSafelyIsLeftAloneSilently) {
  // A FIFO in place of the file: no wait at start, nothing written at the end.
  std::filesystem::create_directories(dir.File("Tevrana"));
  ASSERT_EQ(::mkfifo(path.c_str(), 0666), 0);
  ExpectAllDefaults(Load());
  Save(Unusual());
  EXPECT_TRUE(ui.errors.empty());
  EXPECT_TRUE(std::filesystem::is_fifo(path));

  // A writable file in a folder the user may not change.
  std::filesystem::remove(path);
  Save(Unusual());
  const std::string before = testing::ReadFile(path);
  ::chmod(dir.path().c_str(), 0755);
  ::chmod(path.c_str(), 0666);
  ::chmod(dir.File("Tevrana").c_str(), 0555);
  std::optional<int> quiet = testing::RunUnprivileged([&] {
    Save(Settings{});
    return ui.errors.empty() ? 1 : 0;
  });
  ::chmod(dir.File("Tevrana").c_str(), 0755);
  if (!quiet) GTEST_SKIP() << "privileges cannot be dropped here";
  EXPECT_EQ(*quiet, 1);
  EXPECT_EQ(testing::ReadFile(path), before);
}

TEST_F(SettingsStoreTest, OptionsAreWrittenAfterThe32OnlyOnceUsedAndLoadBackExactly) {
  auto written = [this] {
    std::vector<std::string> names;
    const RegistryEntries stored = ParseRegistryText(testing::ReadFile(path)).value();
    for (const auto& entry : stored) names.push_back(entry.first);
    return names;
  };
  std::vector<std::string> all = kWritingOrder;
  all.insert(all.end(), kOptionNames.begin(), kOptionNames.end());
  Save(Unusual());
  EXPECT_EQ(written(), kWritingOrder);  // never used: the file is written as before
  Save(WithOptions());
  EXPECT_EQ(written(), all);
  EXPECT_EQ(Load(), WithOptions());
  Save(Unusual());  // turned off again: stored as off, not left on
  EXPECT_EQ(written(), all);
  EXPECT_EQ(Load(), Unusual());
}

TEST_F(SettingsStoreTest, ABadOptionValueGivesThatOptionAloneItsDefault) {
  const struct {
    const char* name;
    std::function<void(SettingsStoreTest&)> spoil;
    std::function<void(Settings&)> expect;  // applied to WithOptions()
  } rows[] = {
      {"Level_Colors missing", [](auto& t) { t.Remove("Level_Colors"); },
       [](Settings& s) { s.levelDisplay.Colors = false; }},
      {"Level_Legend as a string", [](auto& t) { t.Set("Level_Legend", StringValue("1")); },
       [](Settings& s) { s.levelDisplay.Legend = false; }},
      {"Level_ValueFormat missing", [](auto& t) { t.Remove("Level_ValueFormat"); },
       [](Settings& s) { s.levelDisplay.ValueFormat = ".4g"; }},
      {"Level_ValueFormat as a dword", [](auto& t) { t.Set("Level_ValueFormat", DwordValue(1)); },
       [](Settings& s) { s.levelDisplay.ValueFormat = ".4g"; }},
      {"Level_Mode 3", [](auto& t) { t.Set("Level_Mode", DwordValue(3)); },
       [](Settings& s) { s.levelChoice.mode = LevelMode::Even; }},
      {"Level_List not numbers", [](auto& t) { t.Set("Level_List", StringValue("1, x")); },
       [](Settings& s) { s.levelChoice.list.clear(); }},
      {"Level_Start as binary", [](auto& t) { t.Set("Level_Start", BinaryValue("0.25")); },
       [](Settings& s) { s.levelChoice.start = 0; }},
      // A step mode without a step cannot be used: the levels are even again.
      {"Level_Step not a number", [](auto& t) { t.Set("Level_Step", StringValue("1/3")); },
       [](Settings& s) {
         s.levelChoice = {LevelMode::Even, s.levelChoice.list, s.levelChoice.start, 0};
       }},
      {"StatusLine_Present missing", [](auto& t) { t.Remove("StatusLine_Present"); },
       [](Settings& s) { s.StatusLine_Present = false; }},
      // One of the 32 still resets everything, the options too.
      {"Contour_Width missing", [](auto& t) { t.Remove("Contour_Width"); }, [](Settings& s) { s = Settings{}; }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Save(WithOptions());
    row.spoil(*this);
    Settings expected = WithOptions();
    row.expect(expected);
    EXPECT_EQ(Load(), expected);
  }
}

// A registry that records writes and can refuse one value or the whole key.
class ScriptedRegistry : public Registry {
 public:
  bool Open(RegistryAccess) override { return false; }
  bool OpenOrCreate() override { return canCreate; }
  std::optional<RegistryValue> Read(const std::string&) const override { return std::nullopt; }
  bool Write(const std::string& name, const RegistryValue&) override {
    if (name == refused) return false;
    written.push_back(name);
    return true;
  }
  void Close() override {
    ++closes;
    if (failClose) throw FileError("Stream write error");
  }

  bool canCreate = true;
  bool failClose = false;
  std::string refused;
  std::vector<std::string> written;
  int closes = 0;
};

TEST_F(SettingsStoreTest, WritingStopsAtTheValueThatCannotBeWritten) {
  ScriptedRegistry registry;
  registry.refused = "IntCircle_Present";
  SaveSettings(registry, Settings{}, picture, ui);
  EXPECT_EQ(registry.written, std::vector<std::string>(kWritingOrder.begin(), kWritingOrder.begin() + 9));
  EXPECT_EQ(ui.errors, (std::vector<std::string>{"Failed to set data for 'IntCircle_Present'"}));
  EXPECT_EQ(registry.closes, 1);
}

TEST_F(SettingsStoreTest, AKeyThatCannotBeCreatedGetsNothingAndShowsNothing) {
  ScriptedRegistry registry;
  registry.canCreate = false;
  SaveSettings(registry, Settings{}, picture, ui);
  EXPECT_TRUE(registry.written.empty());
  EXPECT_EQ(registry.closes, 0);
  EXPECT_TRUE(ui.log.empty());
}

TEST_F(SettingsStoreTest, AKeyThatCannotBeStoredIsReported) {
  ScriptedRegistry registry;
  registry.failClose = true;
  SaveSettings(registry, Settings{}, picture, ui);
  EXPECT_EQ(registry.written, kWritingOrder);
  EXPECT_EQ(ui.errors, (std::vector<std::string>{"Stream write error"}));
}

TEST(SettingsDefaults, ResetEveryItemAndThePictureHeightFirst) {
  Settings settings = Unusual();
  SizedPicture picture;
  SetDefaults(settings, picture);
  EXPECT_EQ(settings, Settings{});
  EXPECT_EQ(settings.function.SFCyl, "r+sqrt((x-1)*(x-1))");
  EXPECT_EQ(settings.SavedBMP, "new.bmp");
  EXPECT_EQ(picture.resizes, (std::vector<std::string>{"H500", "W500"}));
}

}  // namespace
}  // namespace orbisk
