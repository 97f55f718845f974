#include <gtest/gtest.h>
#include <vector>

#include "store/list_ext.h"

namespace orbisk {
namespace {

TEST(TListExtAssign, TakesTheValuesWithRoomForExactlyThem) {
  TListExt list;
  list.Add(9);
  std::vector<long double> values{1.5L, -2, 3};
  values.reserve(40);
  list.Assign(std::move(values));
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Capacity(), 3);
  EXPECT_EQ(list.Get(2), 3);
  list.Add(4);  // growth goes on from there by the usual steps
  EXPECT_EQ(list.Capacity(), 7);
}

}  // namespace
}  // namespace orbisk
