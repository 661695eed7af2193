#include "controls/folder_route.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_dir.h"

namespace tapestro {
namespace {

TEST(FolderRoute, DeepestHoldingTopLevelFolderWins) {
  const std::vector<std::string> tops{"/", "/home/me/", "/media/usb/"};
  EXPECT_EQ(HoldingTopLevel(tops, "/home/me/Pictures"), 1u);
  EXPECT_EQ(HoldingTopLevel(tops, "/home/me"), 1u);
  EXPECT_EQ(HoldingTopLevel(tops, "/home/meadow"), 0u);  // a name that only starts alike
  EXPECT_EQ(HoldingTopLevel(tops, "/"), 0u);
  EXPECT_EQ(HoldingTopLevel({"/media/usb/"}, "/home"), std::nullopt);
}

TEST(FolderRoute, ExistingAncestorsAreSoughtNoHigherThanTheTopLevelFolder) {
  test::TempDir dir;
  std::filesystem::create_directories(dir.File("vol/a"));
  const std::string top = dir.File("vol/");
  EXPECT_EQ(DeepestExistingFolder(dir.File("vol/a/b/c"), top), dir.File("vol/a"));
  EXPECT_EQ(DeepestExistingFolder(dir.File("vol"), top), dir.File("vol"));
  EXPECT_EQ(DeepestExistingFolder(dir.File("gone/a"), dir.File("gone/")), "");
  EXPECT_EQ(DeepestExistingFolder("/no-such-folder/x", "/"), "/");
}

TEST(FolderRoute, NamesBelowTheTopLevelFolder) {
  EXPECT_EQ(NamesBelow("/home/me/", "/home/me/a/b"), (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(NamesBelow("/home/me/", "/home/me").empty());
  EXPECT_EQ(NamesBelow("/", "/usr"), std::vector<std::string>{"usr"});
}

}  // namespace
}  // namespace tapestro
