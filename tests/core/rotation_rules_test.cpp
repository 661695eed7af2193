#include <gtest/gtest.h>

#include <set>

#include "core/cycle_interval.h"
#include "core/rotation_index.h"

namespace tapestro {
namespace {

TEST(RotationIndexTest, ListOrderStartsAtTheFirstItemAndWraps) {
  EXPECT_EQ(NextRotationIndex(-1, 3), 0);
  EXPECT_EQ(NextRotationIndex(0, 3), 1);
  EXPECT_EQ(NextRotationIndex(2, 3), 0);
  EXPECT_EQ(NextRotationIndex(0, 1), 0);
  // A position from a longer list, and an empty list.
  EXPECT_EQ(NextRotationIndex(7, 3), 0);
  EXPECT_EQ(NextRotationIndex(-1, 0), 0);
  EXPECT_EQ(NextRotationIndex(4, 0), 0);
  EXPECT_EQ(NextRotationIndex(INT32_MAX - 1, INT32_MAX), 0);
}

TEST(RotationIndexTest, RandomDrawsStayInsideTheListAndReachEveryItem) {
  for (int i = 0; i < 20; ++i) EXPECT_EQ(RandomRotationIndex(1), 0);
  std::set<int32_t> drawn;
  for (int i = 0; i < 2000; ++i) {
    const int32_t index = RandomRotationIndex(5);
    ASSERT_GE(index, 0);
    ASSERT_LT(index, 5);
    drawn.insert(index);
  }
  EXPECT_EQ(drawn.size(), 5u);
}

TEST(CycleIntervalTest, WholeMinutesFromOneToTheTimersLimitBecomeMilliseconds) {
  EXPECT_EQ(CycleInterval(1), 60000u);
  EXPECT_EQ(CycleInterval(5), 300000u);
  EXPECT_EQ(CycleInterval(10), 600000u);
  EXPECT_EQ(kLongestCycleMinutes, 35791);
  EXPECT_EQ(CycleInterval(35791), 2147460000u);
  for (const int32_t refused : {0, -1, -5, 35792, 99999999, INT32_MIN, INT32_MAX})
    EXPECT_FALSE(CycleInterval(refused).has_value()) << refused;
}

}  // namespace
}  // namespace tapestro
