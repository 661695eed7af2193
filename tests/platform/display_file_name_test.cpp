#include <gtest/gtest.h>

#include "platform/system_services.h"

namespace tapestro {
namespace {

TEST(DisplayFileName, ShowsUtf8AsItIsAndWhatCannotBeDecodedAsReplacementCharacters) {
  EXPECT_EQ(DisplayFileName("beach.jpg"), "beach.jpg");
  EXPECT_EQ(DisplayFileName("Caf\xC3\xA9.png"), "Caf\xC3\xA9.png");
  // E9 alone is "é" in Latin-1 but no UTF-8, the file-name encoding unless the system
  // names another.
  EXPECT_EQ(DisplayFileName("Caf\xE9.png"), "Caf\xEF\xBF\xBD.png");
  EXPECT_EQ(DisplayFileName(""), "");
}

}  // namespace
}  // namespace tapestro
