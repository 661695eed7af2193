#include "controls/up_down_position.h"

#include <gtest/gtest.h>

namespace tapestro {
namespace {

TEST(UpDownPositionTest, MovesWithinItsRangeWithoutWrapping) {
  TUpDownPosition position;
  EXPECT_FALSE(position.Press(TUDBtnType::btPrev));  // already at the bottom
  EXPECT_EQ(position.Position(), 0);
  for (int i = 0; i < TUpDownPosition::kMax; ++i) ASSERT_TRUE(position.Press(TUDBtnType::btNext));
  EXPECT_FALSE(position.Press(TUDBtnType::btNext));
  EXPECT_EQ(position.Position(), TUpDownPosition::kMax);
  EXPECT_TRUE(position.Press(TUDBtnType::btPrev));
  EXPECT_EQ(position.Position(), TUpDownPosition::kMax - 1);
}

}  // namespace
}  // namespace tapestro
