#include "platform/desktop/linux/fresh_wallpaper_name.h"

#include <gtest/gtest.h>

#include "base/path.h"
#include "platform/desktop/desktop_messages.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro::desktop {
namespace {

using test::ReadAll;
using test::TempDir;

std::vector<unsigned char> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(FreshWallpaperNameTest, TwoChangesInARowGetTwoNamesEachWithItsOwnPicture) {
  TempDir dir;
  const std::string folder = dir.File("aliases");
  const std::string temporary = dir.Write("tempwp.bmp", "first picture");
  std::string firstName;
  {
    TFreshWallpaperName fresh(folder, temporary);
    firstName = fresh.Path();
    fresh.Commit();
  }
  // The temporary file is rewritten as a whole, as every conversion does.
  ::unlink(temporary.c_str());
  dir.Write("tempwp.bmp", "second picture");
  std::string secondName;
  {
    TFreshWallpaperName fresh(folder, temporary);
    secondName = fresh.Path();
    EXPECT_NE(secondName, firstName);
    // Until the desktop has the new name, the one it shows stays.
    EXPECT_EQ(ReadAll(firstName), Bytes("first picture"));
    fresh.Commit();
  }
  EXPECT_EQ(ExtractFilePath(secondName), IncludeTrailingPathDelimiter(folder));
  EXPECT_EQ(ExtractFileExt(secondName), ".bmp");
  EXPECT_EQ(ReadAll(secondName), Bytes("second picture"));
  EXPECT_FALSE(FileExists(firstName));
  // A third change takes the first name again, with the newest picture.
  ::unlink(temporary.c_str());
  dir.Write("tempwp.bmp", "third picture");
  TFreshWallpaperName third(folder, temporary);
  EXPECT_EQ(third.Path(), firstName);
  EXPECT_EQ(ReadAll(third.Path()), Bytes("third picture"));
}

TEST(FreshWallpaperNameTest, WithoutCommitTheShownNameStaysAndTheNewOneGoes) {
  TempDir dir;
  const std::string picture = dir.Write("a.PNG", "png bytes");
  std::string shown;
  {
    TFreshWallpaperName fresh(dir.Path(), picture);
    shown = fresh.Path();
    EXPECT_EQ(ExtractFileExt(shown), ".png");
    fresh.Commit();
  }
  std::string unused;
  {
    TFreshWallpaperName fresh(dir.Path(), picture);
    unused = fresh.Path();
  }
  EXPECT_TRUE(FileExists(shown));
  EXPECT_FALSE(FileExists(unused));
  EXPECT_TRUE(FileExists(picture));
}

TEST(FreshWallpaperNameTest, KeepBothLeavesEitherNameShowable) {
  TempDir dir;
  const std::string picture = dir.Write("p.bmp", "bmp");
  std::string first;
  {
    TFreshWallpaperName fresh(dir.Path(), picture);
    first = fresh.Path();
    fresh.Commit();
  }
  TFreshWallpaperName second(dir.Path(), picture);
  second.KeepBoth();
  EXPECT_TRUE(FileExists(first));
  EXPECT_TRUE(FileExists(second.Path()));
}

TEST(FreshWallpaperNameTest, FilesOfTheUsersThatLookAlikeAreNeverRemoved) {
  TempDir dir;
  const std::string picture = dir.Write("p.bmp", "bmp");
  const std::string lookalike = dir.Write("tapestro-desktop-b.txt", "notes");
  const std::string other = dir.Write("tapestro-desktop-bb.bmp", "keep");
  for (int change = 0; change < 3; ++change) TFreshWallpaperName(dir.Path(), picture).Commit();
  EXPECT_EQ(ReadAll(lookalike), Bytes("notes"));
  EXPECT_EQ(ReadAll(other), Bytes("keep"));
  EXPECT_EQ(ReadAll(picture), Bytes("bmp"));
}

TEST(FreshWallpaperNameTest, AMissingFileIsReportedAndLeavesNothingBehind) {
  TempDir dir;
  try {
    TFreshWallpaperName fresh(dir.Path(), dir.File("gone.bmp"));
    FAIL() << "no error";
  } catch (const EDesktopReloadError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("The desktop did not take the wallpaper: cannot make a fresh name for ", 0),
              0u);
  }
  EXPECT_FALSE(FileExists(dir.File("tapestro-desktop-a.bmp")));
  EXPECT_FALSE(FileExists(dir.File("tapestro-desktop-a.bmp.new")));
}

}  // namespace
}  // namespace tapestro::desktop
