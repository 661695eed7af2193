#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "base/errors.h"
#include "core/rotation.h"

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

constexpr auto kUp = TUDBtnType::btNext;
constexpr auto kDown = TUDBtnType::btPrev;

TEST(CycleArrowsTest, UpAddsAMinute) {
  EXPECT_EQ(CycleAfterArrow("5", kUp), "6");
  EXPECT_EQ(CycleAfterArrow("-3", kUp), "-2");
  EXPECT_EQ(CycleAfterArrow("", kUp), "1");
  EXPECT_EQ(CycleAfterArrow(std::to_string(INT_MAX), kUp), std::to_string(INT_MAX));
}

TEST(CycleArrowsTest, DownNeverGoesBelowOne) {
  EXPECT_EQ(CycleAfterArrow("6", kDown), "5");
  EXPECT_EQ(CycleAfterArrow("2", kDown), "1");
  for (const char* text : {"1", "0", "-3", ""}) EXPECT_EQ(CycleAfterArrow(text, kDown), "1") << text;
}

TEST(CycleArrowsTest, TextThatIsNoNumberRaisesTheConversionError) {
  try {
    CycleAfterArrow("ten", kUp);
    FAIL() << "no error";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "'ten' is not a valid integer value");
  }
  EXPECT_THROW(CycleAfterArrow("99999999999", kDown), EConvertError);
}

}  // namespace
}  // namespace tapestro
