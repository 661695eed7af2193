#include "controls/folder_label.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <memory>

#include "controls/directory_tree.h"
#include "tests/controls/fakes.h"
#include "tests/support/temp_dir.h"

namespace tapestro {
namespace {

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
                                      "/.../Pictures/Wallpapers", "/.../Wallpapers", ".../Wallpapers",
                                      "Wallpapers"}));
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

TEST(FolderLabel, TreeShortensWithTheLabelsFontToTheLabelsFixedWidth) {
  test::TempDir dir;
  const std::string deep = dir.File("one/two/three/four/five");
  std::filesystem::create_directories(deep);
  TRzDirectoryTree tree(nullptr, std::make_unique<test::TFakeVolumeSource>(
                                     std::vector<TVolumeInfo>{{dir.Path() + "/", "Temp", 1}}));
  QLabel label;
  label.setFixedWidth(QFontMetrics(label.font()).horizontalAdvance("/.../four/five") + 1);
  tree.SetDirLabel(&label);
  tree.OpenFolder(deep);
  EXPECT_EQ(label.text(), ".../five");

  // A label that sizes itself to its text is measured against the tree's width.
  QLabel growing;
  tree.resize(10000, 150);
  tree.SetDirLabel(&growing);
  EXPECT_EQ(growing.text().toStdString(), deep);
}

}  // namespace
}  // namespace tapestro
