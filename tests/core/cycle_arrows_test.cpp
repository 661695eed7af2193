#include "core/cycle_arrows.h"

#include <gtest/gtest.h>

#include <climits>

#include "base/errors.h"

namespace tapestro {
namespace {

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
