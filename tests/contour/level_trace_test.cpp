#include "contour/level_trace.h"

#include <gtest/gtest.h>
#include <memory>
#include <random>

#include "contour/compute_contours.h"
#include "contour/trace_support.h"
#include "support/fake_ui.h"

namespace orbisk {
namespace {

using testing::FakeUi;
using testing::PolylinesOf;

// A traced polyline of one point at angle fi.
ChainedPolyline OnePoint(long double fi) {
  ChainedPolyline line{std::make_unique<TListExt>(), std::make_unique<TListExt>()};
  line.fi->Add(fi);
  line.r->Add(1);
  return line;
}

TracedLevel Traced(std::vector<long double> angles, bool failed = false, bool outOfMemory = false) {
  TracedLevel traced;
  for (long double fi : angles) traced.lines.push_back(OnePoint(fi));
  if (failed)
    traced = {std::move(traced.lines), true, 1, outOfMemory ? "Out of memory" : "Floating point overflow", outOfMemory};
  return traced;
}

TEST(StoreTracedLevels, StoresInLevelOrderAsOneThreadWould) {
  const struct {
    const char* name;
    std::vector<bool> failed, outOfMemory;
    std::vector<long double> angles;  // stored, in order
    std::vector<long double> tags;    // store.Levels
    std::vector<std::string> messages;
  } rows[] = {
      {"all traced", {false, false, false}, {false, false, false}, {0, 1, 2, 3}, {10, 11, 11, 12}, {}},
      {"a failed level keeps what it chained and goes on",
       {false, true, false},
       {false, false, false},
       {0, 1, 2, 3},
       {10, 11, 11, 12},
       {"it=1 il=1 Floating point overflow"}},
      {"out of memory stops: its polylines stay untagged, later levels are dropped",
       {false, true, false},
       {false, true, false},
       {0, 1, 2},
       {10},
       {"it=1 il=1 Out of memory"}},
  };
  const std::vector<long double> levels{10, 11, 12};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::vector<TracedLevel> traced;
    traced.push_back(Traced({0}, row.failed[0], row.outOfMemory[0]));
    traced.push_back(Traced({1, 2}, row.failed[1], row.outOfMemory[1]));
    traced.push_back(Traced({3}, row.failed[2], row.outOfMemory[2]));
    ContourStore store;
    FakeUi ui;
    StoreTracedLevels(traced, levels, store, ui);
    std::vector<long double> angles;
    for (const auto& line : PolylinesOf(store)) angles.push_back(line.fi.at(0));
    EXPECT_EQ(angles, row.angles);
    EXPECT_EQ(store.Levels, row.tags);
    EXPECT_EQ(ui.messages, row.messages);
  }
}

// Grids whose levels trace whole, fail while chaining or while gathering,
// each traced by a pool of one thread and by one of four.
TEST(ComputeContours, ThreadsGiveWhatOneThreadGives) {
  std::mt19937_64 random(8);
  std::uniform_real_distribution<double> unit(0, 1);
  const struct {
    const char* name;
    std::int32_t nFi, nR, nLevel;
    long double rInt, rExt;
    int values;  // 0 noise, 1 flat, 2 lattice 0..3
    std::size_t messages;
  } rows[] = {
      {"noise", 40, 30, 14, 1, 2, 0, 0},
      {"flat", 20, 20, 5, 1, 2, 1, 0},
      {"lattice", 30, 30, 7, 0, 1, 2, 0},
      {"more levels than work", 3, 3, 40, 1, 2, 0, 0},
      {"every level fails", 4, 4, 6, 1e4000L, 1e4000L, 0, 6},
      {"gathering fails", 300, 4, 3, 1, 2, 0, 3},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    auto grid = testing::MakeGrid(std::min(row.nFi, 256), row.nR, 0, 6, row.rInt, row.rExt);
    for (std::size_t i = 0; i < 256; ++i) {
      for (std::size_t j = 0; j < 256; ++j) {
        grid->Values[i][j] = row.values == 0 ? unit(random) : row.values == 1 ? 1.0 : static_cast<double>(random() % 4);
      }
    }
    testing::ScanValues(*grid);
    grid->NFi = row.nFi;
    ThreadPool one(1), four(4);
    ContourStore serial, parallel;
    FakeUi serialUi, parallelUi;
    ComputeContours(*grid, row.nLevel, serial, serialUi, 0, one);
    ComputeContours(*grid, row.nLevel, parallel, parallelUi, 0, four);
    EXPECT_EQ(testing::PolylinesDifference(PolylinesOf(parallel), PolylinesOf(serial)), "");
    EXPECT_EQ(parallel.Levels, serial.Levels);
    EXPECT_EQ(parallelUi.log, serialUi.log);
    EXPECT_EQ(serialUi.messages.size(), row.messages);
  }
}

}  // namespace
}  // namespace orbisk
