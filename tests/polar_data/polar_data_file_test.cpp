#include "polar_data/polar_data_file.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "platform/error.h"
#include "support/temp_dir.h"

namespace orbisk {
namespace {

using Points = std::vector<std::pair<long double, long double>>;

Points PolylineOf(const ContourStore& store, int k) {
  Points points;
  const TListExt* fi = store.LinesFi.Get(k);
  const TListExt* r = store.LinesR.Get(k);
  if (fi == nullptr || r == nullptr) return points;
  EXPECT_EQ(fi->Count(), r->Count());
  for (int p = 0; p < fi->Count(); ++p) points.emplace_back(fi->Get(p), r->Get(p));
  return points;
}

struct Loaded {
  std::unique_ptr<PolarGrid> grid = std::make_unique<PolarGrid>();
  ContourStore store;
  std::string error;
};

std::unique_ptr<Loaded> Load(const std::string& text) {
  auto loaded = std::make_unique<Loaded>();
  try {
    ReadPolarData(text, loaded->store, *loaded->grid);
  } catch (const Error& e) {
    loaded->error = e.what();
  }
  return loaded;
}

TEST(PolarDataLoad, NoPolylines) {
  auto l = Load("0 1 2");
  EXPECT_EQ(l->error, "");
  EXPECT_EQ(l->store.LinesFi.Count(), 0);
  EXPECT_EQ(l->grid->RInt, 1);
  EXPECT_EQ(l->grid->RExt, 2);
}

TEST(PolarDataLoad, PairsSpreadOverLinesInAnyWay) {
  const char* texts[] = {
      "2 3 20\r\n2\r\n0.5 10\r\n1 11\r\n1\r\n2 12\r\n",
      "2 3 20 2 0.5 10 1 11 1 2 12",
      "2\n3\n20\n2\n0.5\n10\n1\n11\n1\n2\n12",
  };
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    auto l = Load(text);
    EXPECT_EQ(l->error, "");
    ASSERT_EQ(l->store.LinesFi.Count(), 2);
    ASSERT_EQ(l->store.LinesR.Count(), 2);
    EXPECT_EQ(PolylineOf(l->store, 0), (Points{{0.5L, 10}, {1, 11}}));
    EXPECT_EQ(PolylineOf(l->store, 1), (Points{{2, 12}}));
  }
}

TEST(PolarDataLoad, TruncatedPolylineEndsWithZeroPoints) {
  auto l = Load("2 3 20 1 9 9 5 1 1 2 2 3 3");
  EXPECT_EQ(l->error, "");
  EXPECT_EQ(PolylineOf(l->store, 1), (Points{{1, 1}, {2, 2}, {3, 3}, {0, 0}, {0, 0}}));
}

TEST(PolarDataLoad, FailuresLeaveAConsistentStore) {
  struct Case {
    const char* text;
    const char* message;
    int entries;
  } cases[] = {
      {"-1 3 20", "List count out of bounds (-1)", 0},
      {"2 3 20 -7", "List count out of bounds (-7)", 2},
      {"2 3 20 1 0,5 1", "Invalid numeric input", 2},
      {"2 x 20", "Invalid numeric input", 0},
      {"2000000000 3 20", "Count 2000000000 is larger than the rest of the file can hold", 0},
      {"1 3 20 134217727 1 1", "Count 134217727 is larger than the rest of the file can hold", 1},
      // A short file may leave 65536 entries unbacked in all, not per count.
      {"60000 3 20 10000", "Count 10000 is larger than the rest of the file can hold", 60000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    auto l = Load(c.text);
    EXPECT_EQ(l->error, c.message);
    EXPECT_EQ(l->store.LinesFi.Count(), c.entries);
    EXPECT_EQ(l->store.LinesR.Count(), c.entries);
    for (int k = 0; k < c.entries; ++k) PolylineOf(l->store, k);  // equal lengths
  }
}

TEST(PolarDataLoad, ModestUnbackedCountsStillReadAsZeros) {
  auto l = Load("1 3 20 1000");
  EXPECT_EQ(l->error, "");
  EXPECT_EQ(l->store.LinesFi.Get(0)->Count(), 1000);
}

TEST(PolarDataLoad, FileIsClearedBeforeOpening) {
  testing::TempDir dir;
  auto grid = std::make_unique<PolarGrid>();
  ContourStore store;
  store.LinesFi.SetCount(4);
  store.LinesR.SetCount(4);
  try {
    ReadPolarDataFile(dir.File("missing.dat"), store, *grid);
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_STREQ(e.what(), "File not found");
  }
  EXPECT_EQ(store.LinesFi.Count(), 0);
  EXPECT_EQ(store.LinesR.Count(), 0);
}

}  // namespace
}  // namespace orbisk
