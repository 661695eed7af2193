#include "platform/app_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <vector>

#include "base/path.h"
#include "tests/support/temp_dir.h"

namespace tapestro {
namespace {

// Sets environment variables for one test and puts the old values back.
class ScopedEnvironment {
 public:
  void Set(const char* name, const std::string& value) {
    const char* old = std::getenv(name);
    saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->second)
        ::setenv(it->first, it->second->c_str(), 1);
      else
        ::unsetenv(it->first);
    }
  }

 private:
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

TEST(AppFoldersTest, AWritableExecutableFolderHoldsEverything) {
  test::TempDir dir;
  const TAppFolders folders = ResolveAppFolders(dir.Path());
  EXPECT_EQ(folders.Settings, dir.Path() + "/");
  EXPECT_EQ(folders.Data, dir.Path() + "/");
  EXPECT_EQ(folders.SettingsFile(), dir.Path() + "/Tapestro.ini");
}

TEST(AppFoldersTest, OtherwiseThePerUserFoldersAreMade) {
  test::TempDir dir;
  ScopedEnvironment environment;
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
  ScopedEnvironment environment;
  environment.Set("HOME", dir.Path());
  environment.Set("XDG_CONFIG_HOME", "relative/config");
  environment.Set("XDG_DATA_HOME", "");
  const TAppFolders folders = ResolveAppFolders("/nonexistent-folder/bin/");
  EXPECT_EQ(folders.Settings, dir.File(".config/tapestro/"));
  EXPECT_EQ(folders.Data, dir.File(".local/share/tapestro/"));
}

}  // namespace
}  // namespace tapestro
