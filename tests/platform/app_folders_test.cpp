#include "platform/app_folders.h"

#include <gtest/gtest.h>

#include "base/path.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/temp_dir.h"

namespace tapestro {
namespace {

TEST(AppFoldersTest, ATapestroIniBesideTheExecutableMakesItPortable) {
  test::TempDir dir;
  dir.Write("Tapestro.ini", "");
  const TAppFolders folders = ResolveAppFolders(dir.Path());
  EXPECT_EQ(folders.Settings, dir.Path() + "/");
  EXPECT_EQ(folders.Data, dir.Path() + "/");
  EXPECT_EQ(folders.SettingsFile(), dir.Path() + "/Tapestro.ini");
}

TEST(AppFoldersTest, AWritableFolderWithoutOneIsNeverWrittenTo) {
  test::TempDir bin, home;
  test::ScopedEnvironment environment;
  environment.Set("XDG_CONFIG_HOME", home.File("config"));
  environment.Set("XDG_DATA_HOME", home.File("data"));
  const TAppFolders folders = ResolveAppFolders(bin.Path());
  EXPECT_EQ(folders.Settings, home.File("config/tapestro/"));
  EXPECT_EQ(folders.Data, home.File("data/tapestro/"));
}

TEST(AppFoldersTest, OtherwiseThePerUserFoldersAreMade) {
  test::TempDir dir;
  test::ScopedEnvironment environment;
  environment.Set("XDG_CONFIG_HOME", dir.File("config"));
  environment.Set("XDG_DATA_HOME", dir.File("data"));
  const TAppFolders folders = ResolveAppFolders("/nonexistent-folder/bin/");
  EXPECT_EQ(folders.SettingsFile(), dir.File("config/tapestro/Tapestro.ini"));
  EXPECT_EQ(folders.Data, dir.File("data/tapestro/"));
  EXPECT_TRUE(DirectoryExists(dir.File("config/tapestro")));
  EXPECT_TRUE(DirectoryExists(dir.File("data/tapestro")));
}

TEST(AppFoldersTest, RelativeBaseFoldersAreIgnoredForTheHomeFolder) {
  test::TempDir dir;
  test::ScopedEnvironment environment;
  environment.Set("HOME", dir.Path());
  environment.Set("XDG_CONFIG_HOME", "relative/config");
  environment.Set("XDG_DATA_HOME", "");
  const TAppFolders folders = ResolveAppFolders("/nonexistent-folder/bin/");
  EXPECT_EQ(folders.Settings, dir.File(".config/tapestro/"));
  EXPECT_EQ(folders.Data, dir.File(".local/share/tapestro/"));
}

}  // namespace
}  // namespace tapestro
