// The Windows file list against the system's own search and CompareStringEx: the order
// the rotation follows, and what the search leaves out.
#include "controls/file_listing.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace tapestro {
namespace {

std::vector<std::string> Names(const std::vector<TRzFileInfo>& entries) {
  std::vector<std::string> names;
  for (const TRzFileInfo& entry : entries) names.push_back(entry.Name);
  return names;
}

class WindowsFileListingTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::string Touch(const std::string& name) { return dir.Write(name, ""); }
};

TEST_F(WindowsFileListingTest, NamesFollowTheLocaleOrderWithoutRegardToCase) {
  for (const char* name : {"b.JPG", "A.bmp", "c.gif", "2.png", "10.png", "notes.txt"}) Touch(name);
  EXPECT_EQ(Names(ListFolder(dir.Path(), kDefaultImageMask)),
            (std::vector<std::string>{"10.png", "2.png", "A.bmp", "b.JPG", "c.gif"}));
}

TEST_F(WindowsFileListingTest, HiddenAndSystemFilesAndFoldersStayUnseenReadOnlyFilesAreListed) {
  Touch("shown.jpg");
  ASSERT_TRUE(SetFileAttributesA(Touch("hidden.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SetFileAttributesA(Touch("system.jpg").c_str(), FILE_ATTRIBUTE_SYSTEM));
  ASSERT_TRUE(SetFileAttributesA(Touch("kept.jpg").c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(CreateDirectoryA(dir.File("folder.jpg").c_str(), nullptr));
  EXPECT_EQ(Names(ListFolder(dir.Path(), kDefaultImageMask)), (std::vector<std::string>{"kept.jpg", "shown.jpg"}));
  SetFileAttributesA(dir.File("kept.jpg").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(WindowsFileListingTest, MaskPartsAreTakenAsWrittenAndAMatchIsListedOnce) {
  Touch("photo.jpg");
  Touch(" spaced.gif");
  Touch("other.gif");
  EXPECT_EQ(Names(ListFolder(dir.Path(), "*.jpg;*.JPG;p*")), (std::vector<std::string>{"photo.jpg"}));
  // A blank after ";" stays part of the pattern; an empty part matches nothing.
  EXPECT_EQ(Names(ListFolder(dir.Path(), "*.jpg; *.gif;;")), (std::vector<std::string>{" spaced.gif", "photo.jpg"}));
  EXPECT_TRUE(ListFolder(dir.File("missing"), kDefaultImageMask).empty());
}

TEST(WindowsNameOrderTest, FoldersComeFirstTheOrderIsTotalAndLetterCaseNamesOneFolder) {
  std::vector<TRzFileInfo> entries{{"b.jpg", false}, {"Zoo", true}, {"a.jpg", false}, {"alpha", true}};
  SortFileList(entries);
  EXPECT_EQ(Names(entries), (std::vector<std::string>{"alpha", "Zoo", "a.jpg", "b.jpg"}));
  std::vector<std::string> names{"b", "B", "a"};
  SortNames(names);
  EXPECT_EQ(names, (std::vector<std::string>{"a", "B", "b"}));
  EXPECT_TRUE(SameFolder("C:\\Pictures", "c:\\PICTURES"));
  EXPECT_FALSE(SameFolder("C:\\Pictures", "C:\\Pictures2"));
}

}  // namespace
}  // namespace tapestro
