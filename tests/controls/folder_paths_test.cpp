#include "controls/folder_paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

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

TEST(FolderScan, AFolderTheUserMayNotOpenIsListedWithoutAButton) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser opens every folder";
  test::TempDir dir;
  fs::create_directories(dir.File("closed/inner"));
  fs::create_directories(dir.File("open"));
  ::chmod(dir.File("closed").c_str(), 0600);
  EXPECT_EQ(Sorted(ListSubfolders(dir.Path(), false)), (std::vector<std::string>{"closed", "open"}));
  EXPECT_EQ(WhichHaveSubfolders(dir.Path(), {"closed"}, false), std::vector<bool>{false});
  ::chmod(dir.File("closed").c_str(), 0700);
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

// Ten pixels a character: widths are easy to pick.
int TenPerCharacter(const std::string& text) { return static_cast<int>(text.size()) * 10; }

std::vector<std::string> Shortenings(const std::string& folder, const std::string& top) {
  std::vector<std::string> seen;
  const std::string full = ShortenFolderPath(folder, top, 10000, TenPerCharacter);
  for (int width = static_cast<int>(full.size()) * 10; width >= 0; width -= 10) {
    const std::string text = ShortenFolderPath(folder, top, width, TenPerCharacter);
    if (seen.empty() || seen.back() != text) seen.push_back(text);
  }
  return seen;
}

TEST(FolderLabel, GivesWayFolderByFolderBelowTheRoot) {
  EXPECT_EQ(Shortenings("/home/me/Pictures/Wallpapers", "/"),
            (std::vector<std::string>{"/home/me/Pictures/Wallpapers", "/.../me/Pictures/Wallpapers",
                                      "/.../Pictures/Wallpapers", "/.../Wallpapers", ".../Wallpapers", "Wallpapers"}));
}

TEST(FolderLabel, KeepsTheTopLevelFolderInFrontAsLongAsItCan) {
  EXPECT_EQ(Shortenings("/home/me/Pictures/Summer/Beach", "/home/me/"),
            (std::vector<std::string>{"/home/me/Pictures/Summer/Beach", "/home/me/.../Summer/Beach",
                                      "/home/me/.../Beach", ".../Beach", "Beach"}));
  // Straight below it: the top-level folder never runs into the name.
  EXPECT_EQ(Shortenings("/media/usb/Beach", "/media/usb/"),
            (std::vector<std::string>{"/media/usb/Beach", ".../Beach", "Beach"}));
}

TEST(FolderLabel, TopLevelFolderItselfShortensAsAPlainPath) {
  EXPECT_EQ(Shortenings("/media/usb", "/media/usb/"),
            (std::vector<std::string>{"/media/usb", "/.../usb", ".../usb", "usb"}));
  EXPECT_EQ(ShortenFolderPath("/", "/", 0, TenPerCharacter), "/");
}

TEST(FolderLabel, TextThatFitsStaysWholeAndTheNameStaysWhenNothingFits) {
  EXPECT_EQ(ShortenFolderPath("/a/b", "/", 40, TenPerCharacter), "/a/b");
  EXPECT_EQ(ShortenFolderPath("/a/VeryLongFolderName", "/", 10, TenPerCharacter), "VeryLongFolderName");
}

}  // namespace
}  // namespace tapestro
