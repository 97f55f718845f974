// Telling Cyl Data from Polar Data by the numbers, and opening a file named on
// the command line as File > Load does.

#include "app/data_file_kind.h"

#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "platform/error.h"

namespace orbisk::testing {
namespace {

TEST(GuessDataFileKind, ByTheNumbersAlone) {
  constexpr DataFileKind kCyl = DataFileKind::CylData;
  constexpr DataFileKind kPolar = DataFileKind::PolarData;
  const struct {
    const char* row;
    const char* text;
    DataFileKind kind;
  } cases[] = {
      {"a 3 x 3 grid", kSmallCylData, kCyl},
      {"a grid with CR LF and a closing 26", "2 0 1\r\n2 1 2\r\n1 2\r\n3 4\r\n\x1A junk", kCyl},
      {"one polyline", kOnePolyline, kPolar},
      {"two polylines", kTwoPolylines, kPolar},
      {"no polyline", "0 1 2", kPolar},
      // Five polylines whose header could begin a grid: 5 x 2 would need 16
      // numbers, the polylines hold 3 + 5 x 5 = 28.
      {"polylines that start like a grid", "5 1 2\n2 0 1 1 1\n2 0 1 1 1\n2 0 1 1 1\n2 0 1 1 1\n2 0 1 1 1\n", kPolar},
      {"polylines and a number left over, starting like a grid", "2 0 1\n2 0 1 1 1\n2 0 1 1 1\n9", kCyl},
      {"a grid short of values", "2 0 1\n2 1 2\n1 2 3\n", kCyl},
      {"a grid with hexadecimal counts", "$2 0 1 $2 1 2 1 2 3 4", kCyl},
      {"a polyline short of points", "1 1 2\n3\n0 1\n", kPolar},
      {"counts out of range", "1 0 1 1 1 2 5", kPolar},
      {"not numbers at all", "hello", kPolar},
      {"empty", "", kPolar},
  };
  for (const auto& row : cases) {
    EXPECT_EQ(GuessDataFileKind(row.text), row.kind) << row.row;
  }
}

using OpenDataFile = MainWindowTest;

TEST_F(OpenDataFile, LoadsByContentAndRemembersTheName) {
  const struct {
    const char* name;
    const char* text;
    std::int32_t dataKind;
  } cases[] = {
      {"grid.txt", kSmallCylData, kDataTraced},
      {"lines.txt", kTwoPolylines, kDataPolarFile},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    const std::string path = File(row.name, row.text);
    bitmap.canvas.calls.clear();
    main->OpenDataFile(path);
    EXPECT_EQ(main->GetDataKind(), row.dataKind);
    EXPECT_EQ(main->OpenDialogName(), path);
    EXPECT_TRUE(bitmap.Drawn());
    EXPECT_TRUE(ui.messages.empty());
  }
  EXPECT_THROW(
      {
        try {
          main->OpenDataFile(dir.File("missing.dat"));
        } catch (const FileError& e) {
          EXPECT_STREQ(e.what(), "File not found");
          throw;
        }
      },
      FileError);
}

}  // namespace
}  // namespace orbisk::testing
