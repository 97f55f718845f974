#include <gtest/gtest.h>

#include "app/integer_text.h"
#include "app/settings_dialog_model.h"
#include "platform/error.h"
#include "settings_test_picture.h"

namespace orbisk {
namespace {

using testing::SizedPicture;

TEST(IntegerText, ConvertsLikeTheEditsExpect) {
  const struct {
    const char* text;
    std::optional<std::int32_t> value;
  } rows[] = {
      {"12", 12},
      {" 12", 12},
      {"   -7", -7},
      {"+5", 5},
      {"007", 7},
      {"$0C", 12},
      {"$0c", 12},
      {"-$10", -16},
      {"$7FFFFFFF", 2147483647},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483648LL},
      {"12 ", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"-", std::nullopt},
      {"$", std::nullopt},
      {"+-1", std::nullopt},
      {"- 1", std::nullopt},
      {"\t12", std::nullopt},
      {"1e3", std::nullopt},
      {"12abc", std::nullopt},
      {"0x0C", std::nullopt},
      {"$0G", std::nullopt},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999999", std::nullopt},
      {"$80000000", std::nullopt},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ParseInt32(row.text), row.value) << '"' << row.text << '"';
  }
}

class SettingsDialogTest : public ::testing::Test {
 protected:
  SettingsDialogTest() {
    picture.height = 500;
    picture.width = 500;
  }

  Settings settings;
  SizedPicture picture;
  FontSpec labelFont{"Courier", 30, 0x0000FF, true};  // colour and style of this run
  SettingsDialogModel dialog{settings, picture, labelFont};
};

TEST_F(SettingsDialogTest, OpeningShowsTheItems) {
  settings.plot.Function_Width = 3;
  settings.plot.IntCircle_Color = 0x00FF00;
  picture.height = 300;  // the picture's own size, not the stored one
  dialog.FormActivate();
  SettingsDialogControls expected{"300",
                                  "500",
                                  true,
                                  0,
                                  "1",
                                  true,
                                  0x00FF00,
                                  "2",
                                  true,
                                  0,
                                  "2",
                                  0,
                                  "3",
                                  "14",
                                  true,
                                  ".4g",
                                  FontSpec{"Arial Cyr", 12, 0x0000FF, true}};
  EXPECT_EQ(dialog.controls, expected);
  EXPECT_EQ(labelFont, (FontSpec{"Arial Cyr", 12, 0x0000FF, true}));
}

TEST_F(SettingsDialogTest, OkTransfersEveryControl) {
  dialog.FormActivate();
  SettingsDialogControls& c = dialog.controls;
  c = {" 300",
       "$320",
       false,
       0x0000FF,
       "3",
       false,
       0x00FF00,
       "4",
       false,
       0xFF0000,
       "5",
       0x123456,
       "6",
       "-2",
       false,
       "%.2f",
       FontSpec{"Liberation Serif", 20, 0x00FF00, false, true}};
  dialog.Transfer();

  PlotSettings expected;
  expected.XY_Present = false;
  expected.XY_Color = 0x0000FF;
  expected.XY_Width = 3;
  expected.IntCircle_Present = false;
  expected.IntCircle_Color = 0x00FF00;
  expected.IntCircle_Width = 4;
  expected.ExtCircle_Present = false;
  expected.ExtCircle_Color = 0xFF0000;
  expected.ExtCircle_Width = 5;
  expected.Function_Color = 0x123456;
  expected.Function_Width = 6;
  expected.Contour_NLevel = -2;  // no range test
  expected.Label_Present = false;
  expected.Label_Format = "%.2f";
  expected.Label_FontName = "Liberation Serif";
  expected.Label_FontSize = 20;
  EXPECT_EQ(settings.plot, expected);
  EXPECT_EQ(picture.resizes, (std::vector<std::string>{"H300", "W800"}));
  EXPECT_EQ(settings.pictureHeight, 300);
  EXPECT_EQ(settings.pictureWidth, 800);
  EXPECT_EQ(labelFont, (FontSpec{"Liberation Serif", 20, 0x00FF00, false, true}));
}

TEST_F(SettingsDialogTest, ABadEditStopsTheTransferThereAndKeepsWhatCameBefore) {
  dialog.FormActivate();
  dialog.controls.edWidth = "800";
  dialog.controls.cbXY = false;
  dialog.controls.edFitFunction = "4";
  dialog.controls.edNLevelContour = "abc";
  dialog.controls.cbLabelPresent = false;
  dialog.controls.edLabelFormat = "g";
  dialog.controls.lbLabelFont.name = "Other";
  try {
    dialog.Transfer();
    FAIL() << "no error";
  } catch (const InputError& error) {
    EXPECT_STREQ(error.what(), "'abc' is not a valid integer value");
  }
  EXPECT_EQ(picture.width, 800);
  EXPECT_FALSE(settings.plot.XY_Present);
  EXPECT_EQ(settings.plot.Function_Width, 4);
  EXPECT_EQ(settings.plot.Contour_NLevel, 14);
  EXPECT_TRUE(settings.plot.Label_Present);
  EXPECT_EQ(settings.plot.Label_Format, ".4g");
  EXPECT_EQ(settings.plot.Label_FontName, "Arial Cyr");
  EXPECT_EQ(labelFont.name, "Arial Cyr");

  dialog.controls.edNLevelContour = "$0C";  // corrected, OK again
  dialog.Transfer();
  EXPECT_EQ(settings.plot.Contour_NLevel, 12);
  EXPECT_FALSE(settings.plot.Label_Present);
}

TEST_F(SettingsDialogTest, TheEditTextIsQuotedAsTyped) {
  dialog.FormActivate();
  dialog.controls.edHeight = "12 ";
  EXPECT_THROW(
      {
        try {
          dialog.Transfer();
        } catch (const InputError& error) {
          EXPECT_STREQ(error.what(), "'12 ' is not a valid integer value");
          throw;
        }
      },
      InputError);
  EXPECT_TRUE(picture.resizes.empty());
}

TEST_F(SettingsDialogTest, DefaultResetsEveryItemAndRefillsTheControls) {
  settings.plot.Contour_NLevel = 40;
  settings.plot.Label_FontName = "Other";
  settings.OpenedFile = "/data/polar.dat";
  settings.function.SFCyl = "x*y";
  picture.width = 800;
  dialog.FormActivate();
  dialog.controls.edLabelFormat = "typed but not confirmed";

  dialog.btDefaultClick();
  EXPECT_EQ(settings, Settings{});
  EXPECT_EQ(picture.width, 500);
  EXPECT_EQ(dialog.controls.edNLevelContour, "14");
  EXPECT_EQ(dialog.controls.edWidth, "500");
  EXPECT_EQ(dialog.controls.edLabelFormat, ".4g");
  EXPECT_EQ(dialog.controls.lbLabelFont, (FontSpec{"Arial Cyr", 12, 0x0000FF, true}));
}

}  // namespace
}  // namespace orbisk
