#include "controls/folder_scan.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "controls/file_listing.h"
#include "tests/support/temp_dir.h"

namespace tapestro {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST(FolderScan, ListsFoldersAndLinksToFoldersOnly) {
  test::TempDir dir;
  fs::create_directories(dir.File("real/inner"));
  fs::create_directories(dir.File(".dot"));
  dir.Write("file.jpg", "x");
  fs::create_directory_symlink(dir.File("real"), dir.File("linked"));
  fs::create_symlink(dir.File("file.jpg"), dir.File("to-file"));
  fs::create_symlink(dir.File("nowhere"), dir.File("broken"));

  EXPECT_EQ(Sorted(ListSubfolders(dir.Path(), false)), (std::vector<std::string>{"linked", "real"}));
  EXPECT_EQ(Sorted(ListSubfolders(dir.Path(), true)), (std::vector<std::string>{".dot", "linked", "real"}));
  EXPECT_TRUE(ListSubfolders(dir.File("missing"), true).empty());
}

TEST(FolderScan, FoldersThatCannotBeEnteredAreLeftOut) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser enters every folder";
  test::TempDir dir;
  fs::create_directories(dir.File("closed"));
  fs::create_directories(dir.File("open"));
  ::chmod(dir.File("closed").c_str(), 0600);
  EXPECT_EQ(ListSubfolders(dir.Path(), false), std::vector<std::string>{"open"});
}

TEST(FolderScan, ProbeSeesOnlyListableSubfolders) {
  test::TempDir dir;
  fs::create_directories(dir.File("empty"));
  fs::create_directories(dir.File("hiddenOnly/.git"));
  fs::create_directories(dir.File("full/sub"));
  dir.Write("empty/file.jpg", "x");
  const std::vector<std::string> names{"empty", "hiddenOnly", "full", "missing", "file.jpg"};
  dir.Write("file.jpg", "x");
  EXPECT_EQ(WhichHaveSubfolders(dir.Path(), names, false), (std::vector<bool>{false, false, true, false, false}));
  EXPECT_EQ(WhichHaveSubfolders(dir.Path(), names, true), (std::vector<bool>{false, true, true, false, false}));
  EXPECT_EQ(WhichHaveSubfolders(dir.File("missing"), names, true), std::vector<bool>(5, false));
}

TEST(FolderScan, StampFollowsTheFolderTimeAndIsWithheldWhileRecent) {
  test::TempDir dir;
  fs::create_directories(dir.File("sub"));
  dir.Write("file.jpg", "x");
  const auto now = fs::file_time_type::clock::now();
  fs::last_write_time(dir.File("sub"), now - std::chrono::hours(1));
  const std::optional<int64_t> old = SettledFolderStamp(dir.File("sub"));
  ASSERT_TRUE(old.has_value());
  EXPECT_EQ(FolderStamp(dir.File("sub")), old);
  fs::last_write_time(dir.File("sub"), now - std::chrono::hours(1) + std::chrono::nanoseconds(1000));
  EXPECT_NE(FolderStamp(dir.File("sub")), old);
  // Changed a moment ago, or dated ahead of the clock: not to be trusted yet.
  fs::last_write_time(dir.File("sub"), now);
  EXPECT_FALSE(SettledFolderStamp(dir.File("sub")).has_value());
  EXPECT_TRUE(FolderStamp(dir.File("sub")).has_value());
  fs::last_write_time(dir.File("sub"), now + std::chrono::hours(1));
  EXPECT_FALSE(SettledFolderStamp(dir.File("sub")).has_value());
  EXPECT_FALSE(FolderStamp(dir.File("missing")).has_value());
  EXPECT_FALSE(FolderStamp(dir.File("file.jpg")).has_value());
}

TEST(FolderNameOrder, FolderNamesSortAsTheFileListIgnoringCaseWithCaseTwinsInAFixedOrder) {
  std::vector<std::string> names{"gamma", "Beta", "alpha", "beta", "10", "2", "Alpha"};
  SortNames(names);
  EXPECT_EQ(names, (std::vector<std::string>{"10", "2", "Alpha", "alpha", "Beta", "beta", "gamma"}));
}

}  // namespace
}  // namespace tapestro
