#include "store/list_ext.h"

#include <functional>
#include <gtest/gtest.h>

#include "platform/error.h"
#include "store/contour_store.h"

namespace orbisk {
namespace {

TEST(TListExt, GrowsByFourUpToEightThenBySixteen) {
  TListExt list;
  std::vector<std::int32_t> capacities;
  for (int i = 0; i < 30; ++i) {
    list.Add(i);
    if (capacities.empty() || capacities.back() != list.Capacity()) capacities.push_back(list.Capacity());
  }
  EXPECT_EQ(capacities, (std::vector<std::int32_t>{4, 8, 12, 28, 44}));
  EXPECT_EQ(list.Count(), 30);
  EXPECT_EQ(list.Get(29), 29.0L);
}

TEST(TListExt, SetCountZeroFillsAndRaisesCapacityExactly) {
  TListExt list;
  list.Add(7);
  list.SetCount(0);
  list.SetCount(5);
  EXPECT_EQ(list.Capacity(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(list.Get(i), 0.0L) << i;
}

TEST(TListExt, DeleteMovesTheTailDown) {
  TListExt list;
  for (int i = 0; i < 5; ++i) list.Add(i);
  list.Delete(1);
  list.Delete(3);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Get(0), 0.0L);
  EXPECT_EQ(list.Get(1), 2.0L);
  EXPECT_EQ(list.Get(2), 3.0L);
}

TEST(TListExt, RaisesTheThreeListErrors) {
  struct Case {
    const char* name;
    std::function<void(TListExt&)> act;
    const char* message;
  };
  const Case cases[] = {
      {"get past the end", [](TListExt& l) { l.Get(2); }, "List index out of bounds (2)"},
      {"put below zero", [](TListExt& l) { l.Put(-1, 0); }, "List index out of bounds (-1)"},
      {"delete past the end", [](TListExt& l) { l.Delete(5); }, "List index out of bounds (5)"},
      {"negative count", [](TListExt& l) { l.SetCount(-3); }, "List count out of bounds (-3)"},
      {"huge count", [](TListExt& l) { l.SetCount(134217728); }, "List count out of bounds (134217728)"},
      {"capacity below count", [](TListExt& l) { l.SetCapacity(1); }, "List capacity out of bounds (1)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TListExt list;
    list.Add(1);
    list.Add(2);
    try {
      c.act(list);
      ADD_FAILURE() << "no error";
    } catch (const ListError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

TEST(ContourStore, EntriesMayHoldNoListAndClearLinesEmptiesBoth) {
  ContourStore store;
  store.LinesFi.SetCount(3);
  store.LinesR.SetCount(3);
  store.LinesFi.Put(0, std::make_unique<TListExt>());
  EXPECT_NE(store.LinesFi.Get(0), nullptr);
  EXPECT_EQ(store.LinesFi.Get(2), nullptr);
  EXPECT_THROW(store.LinesR.SetCount(-1), ListError);
  store.ClearLines();
  EXPECT_EQ(store.LinesFi.Count(), 0);
  EXPECT_EQ(store.LinesR.Count(), 0);
}

}  // namespace
}  // namespace orbisk
