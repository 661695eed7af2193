// Where the program keeps its files on Windows: beside itself when a Tapestro.ini sits
// there, else in %LOCALAPPDATA%\Tapestro\.
#include "platform/app_folders.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include "base/path.h"
#include "tests/support/temp_dir.h"

namespace tapestro {
namespace {

TEST(WindowsAppFoldersTest, ASettingsFileBesideTheProgramMakesItPortable) {
  test::TempDir dir;
  const std::string folder = IncludeTrailingPathDelimiter(dir.Path());
  dir.Write("Tapestro.ini", "");
  const TAppFolders folders = ResolveAppFolders(dir.Path());
  EXPECT_EQ(folders.Settings, folder);
  EXPECT_EQ(folders.Data, folder);
  EXPECT_EQ(folders.SettingsFile(), folder + "Tapestro.ini");
}

TEST(WindowsAppFoldersTest, WithoutOneTheUsersLocalApplicationDataHoldsEverything) {
  test::TempDir dir;
  char base[MAX_PATH + 1] = {};
  ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base), S_OK);
  const std::string expected = IncludeTrailingPathDelimiter(base) + "Tapestro\\";
  const TAppFolders folders = ResolveAppFolders(dir.Path());
  EXPECT_EQ(folders.Settings, expected);
  EXPECT_EQ(folders.Data, expected);
  EXPECT_TRUE(DirectoryExists(expected)) << "made when missing";
}

}  // namespace
}  // namespace tapestro
