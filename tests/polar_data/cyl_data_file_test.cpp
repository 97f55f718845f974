#include "polar_data/cyl_data_file.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <string>

#include "platform/atomic_file.h"
#include "platform/error.h"
#include "polar_data/number_format.h"
#include "support/temp_dir.h"

namespace orbisk {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::unique_ptr<PolarGrid> NewGrid() { return std::make_unique<PolarGrid>(); }

std::unique_ptr<PolarGrid> TwoByTwo() {
  auto grid = NewGrid();
  grid->NFi = 2;
  grid->NR = 2;
  grid->FiEnd = 3.14159265358979L;
  grid->RInt = 0.5L;
  grid->RExt = 1;
  grid->Values[0][0] = 1;
  grid->Values[0][1] = 0.25;
  grid->Values[1][0] = -3;
  grid->Values[1][1] = 0.00001;
  return grid;
}

template <typename F>
std::string ErrorOf(F f) {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

TEST(CylDataSave, TwoByTwoGridByteForByte) {
  EXPECT_EQ(FormatCylData(*TwoByTwo()), "2 0 3.14159265358979\r\n2 0.5 1\r\n1 0.25 \r\n-3 1E-5 \r\n");
}

TEST(CylDataSave, EmptyGridWritesTwoZeroLines) { EXPECT_EQ(FormatCylData(*NewGrid()), "0 0 0\r\n0 0 0\r\n"); }

TEST(CylDataSave, RoundTripKeeps15SignificantDigits) {
  auto grid = NewGrid();
  grid->NFi = 256;
  grid->NR = 256;
  grid->FiStart = 2 * 3.14159265358979323846L;
  grid->FiEnd = -1.0L / 3;
  grid->RInt = 0;
  grid->RExt = 12345.678901234567L;
  for (int i = 0; i < 256; ++i) {
    for (int j = 0; j < 256; ++j) grid->Values[i][j] = std::sin(i * 0.37 + j) * std::pow(10.0, (i + j) % 40 - 20);
  }
  grid->Values[3][4] = -1.3e-13;

  TempDir dir;
  SaveCylData(dir.File("g.dat"), *grid);
  auto back = NewGrid();
  ReadCylDataFile(dir.File("g.dat"), *back);
  EXPECT_EQ(back->NFi, 256);
  EXPECT_EQ(back->NR, 256);
  EXPECT_EQ(FormatGeneral(back->FiEnd), FormatGeneral(grid->FiEnd));
  EXPECT_EQ(FormatGeneral(back->RExt), "12345.6789012346");
  EXPECT_EQ(back->Values[3][4], -1.3e-13);
  for (int i = 0; i < 256; ++i) {
    for (int j = 0; j < 256; ++j) {
      ASSERT_EQ(FormatGeneral(back->Values[i][j]), FormatGeneral(grid->Values[i][j])) << i << "," << j;
    }
  }
  EXPECT_EQ(FormatCylData(*back), ReadFile(dir.File("g.dat")));  // saving again is stable
}

TEST(CylDataSave, FailedWriteLeavesTheOldFile) {
  TempDir dir;
  WriteFile(dir.File("g.dat"), "old");
  SetWriteFaultForTesting([](std::size_t) { return true; });
  EXPECT_EQ(ErrorOf([&] { SaveCylData(dir.File("g.dat"), *TwoByTwo()); }), "Stream write error");
  SetWriteFaultForTesting({});
  EXPECT_EQ(ReadFile(dir.File("g.dat")), "old");
}

TEST(CylDataLoad, SeparatorsInAnyArrangementGiveTheSameGrid) {
  const char* texts[] = {
      "2 0 3.14159265358979\r\n2 0.5 1\r\n1 0.25 \r\n-3 1E-5 \r\n",
      "2\t0\t3.14159265358979\t2\t0.5\t1\t1\t0.25\t-3\t1E-5",
      "\n\n  2\n0\n\n3.14159265358979 2   0.5\r1\t\t1\n0.25\n-3\n1e-5\n\x1a garbage",
  };
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    auto grid = NewGrid();
    ReadCylData(text, *grid);
    EXPECT_EQ(FormatCylData(*grid), FormatCylData(*TwoByTwo()));
  }
}

TEST(CylDataLoad, DecimalCommaStopsWithWhatWasRead) {
  auto grid = NewGrid();
  grid->Values[1][1] = 42;
  EXPECT_EQ(ErrorOf([&] { ReadCylData("2 0 1 2 0.5 1  7 8 0,5 9", *grid); }), "Invalid numeric input");
  EXPECT_EQ(grid->NFi, 2);
  EXPECT_EQ(grid->RExt, 1);
  EXPECT_EQ(grid->Values[0][0], 7);
  EXPECT_EQ(grid->Values[0][1], 8);
  EXPECT_EQ(grid->Values[1][0], 0);  // the bad token is not stored
  EXPECT_EQ(grid->Values[1][1], 42);
}

TEST(CylDataLoad, BadHeaderTokenIsReportedAfterAllSixFields) {
  auto grid = NewGrid();
  grid->RExt = 9;
  EXPECT_EQ(ErrorOf([&] { ReadCylData("100.0 1 2 3 4 5", *grid); }), "Invalid numeric input");
  EXPECT_EQ(grid->NFi, 0);
  EXPECT_EQ(grid->RExt, 0);  // assigned, as every field after the bad one
}

TEST(CylDataLoad, TruncatedFileReadsMissingValuesAsZero) {
  auto grid = NewGrid();
  grid->Values[1][1] = 42;
  ReadCylData("2 0 1 2 0.5 1 7 8 9", *grid);
  EXPECT_EQ(grid->Values[1][0], 9);
  EXPECT_EQ(grid->Values[1][1], 0);
}

TEST(CylDataLoad, CountsOutsideTheGridStopBeforeAnyValue) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"300 0 1 100 0.5 1 5", "NFi = 300 is out of range: it must be from 2 to 256"},
      {"100 0 1 257 0.5 1 5", "NR = 257 is out of range: it must be from 2 to 256"},
      {"2 0 1 -4 0.5 1 5", "NR = -4 is out of range: it must be from 2 to 256"},
      {"1 0 1 2 0.5 1 5", "NFi = 1 is out of range: it must be from 2 to 256"},
      {"", "NFi = 0 is out of range: it must be from 2 to 256"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    auto grid = NewGrid();
    grid->Values[0][0] = 42;
    EXPECT_EQ(ErrorOf([&] { ReadCylData(c.text, *grid); }), c.message);
    EXPECT_EQ(grid->Values[0][0], 42);
  }
  auto grid = NewGrid();
  ErrorOf([&] { ReadCylData("300 0.25 1 100 0.5 2", *grid); });
  EXPECT_EQ(grid->NFi, 300);  // the header fields read stay
  EXPECT_EQ(grid->FiStart, 0.25L);
  EXPECT_EQ(grid->RExt, 2);
}

TEST(CylDataLoad, ValueBeyondTheDoubleRangeOverflows) {
  auto grid = NewGrid();
  EXPECT_EQ(ErrorOf([&] { ReadCylData("2 0 1 2 0 1 1 1e400 1 1", *grid); }), "Floating point overflow");
  EXPECT_EQ(grid->Values[0][0], 1);
}

// A value is read in extended precision and stored rounded to double: a token
// below DBL_MAX plus half an ulp (2^1024 - 2^970) becomes DBL_MAX, one that
// reaches that point (also by rounding to extended first) overflows.
TEST(CylDataLoad, ValuesAtTheTopOfTheDoubleRangeRoundAsTheStoreDoes) {
  const double kMax = std::numeric_limits<double>::max();
  const struct {
    const char* token;
    double stored;  // 0: overflows
  } rows[] = {
      {"1.7976931348623157e308", kMax},   {"1.7976931348623158e308", kMax}, {"-1.7976931348623158e308", -kMax},
      {"1.797693134862315802e308", kMax},  // nearest extended lies below the half-ulp point
      {"1.79769313486231580793e308", 0},   // nearest extended is the half-ulp point: ties to even
      {"-1.79769313486231580793e308", 0}, {"1.7976931348623159e308", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.token);
    auto grid = NewGrid();
    const std::string text = std::string("2 0 1 2 0 1 1 ") + row.token + " 1 1";
    EXPECT_EQ(ErrorOf([&] { ReadCylData(text, *grid); }), row.stored == 0 ? "Floating point overflow" : "");
    EXPECT_EQ(grid->Values[0][1], row.stored);
  }
}

TEST(CylDataLoad, FilesThatCannotBeOpened) {
  TempDir dir;
  auto grid = NewGrid();
  EXPECT_EQ(ErrorOf([&] { ReadCylDataFile(dir.File("missing.dat"), *grid); }), "File not found");
  EXPECT_EQ(ErrorOf([&] { ReadCylDataFile(dir.File("none/x.dat"), *grid); }), "File not found");
  EXPECT_EQ(ErrorOf([&] { ReadCylDataFile(dir.path().string(), *grid); }), "File access denied");
}

}  // namespace
}  // namespace orbisk
