#include "platform/linux/linux_volume_source.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_dir.h"

namespace tapestro {
namespace {

TEST(VolumeCaption, LabelAndMountPointInTheUsualShape) {
  EXPECT_EQ(VolumeCaption("KINGSTON", "/media/usb"), "Kingston (/media/usb)");
  EXPECT_EQ(VolumeCaption("", "/"), " (/)");
  EXPECT_EQ(VolumeCaption("Été", "/mnt/x"), "Été (/mnt/x)");  // bytes beyond ASCII are left alone
  EXPECT_EQ(UnreadableVolumeCaption("/mnt/x"), "(/mnt/x)");
}

TEST(LinuxVolumeSource, RootComesFirstAndEveryFolderIsCaptionedByItsPlace) {
  TLinuxVolumeSource source;
  const std::vector<TVolumeInfo> folders = source.TopLevelFolders();
  ASSERT_FALSE(folders.empty());
  EXPECT_EQ(folders[0].path, "/");
  EXPECT_GE(folders[0].serial, 0);
  for (const TVolumeInfo& folder : folders) {
    EXPECT_EQ(folder.path.back(), '/');
    const std::string place = folder.path == "/" ? "/" : folder.path.substr(0, folder.path.size() - 1);
    EXPECT_TRUE(folder.caption.ends_with("(" + place + ")")) << folder.caption;
  }
}

TEST(LinuxVolumeSource, UnreadablePlaceHasNoSerial) {
  test::TempDir dir;
  TLinuxVolumeSource source;
  const TVolumeInfo gone = source.Describe(dir.File("gone/"));
  EXPECT_EQ(gone.serial, -1);
  EXPECT_EQ(gone.caption, "(" + dir.Path() + "/gone)");
  EXPECT_EQ(source.Describe(dir.Path()).serial, source.Describe("/tmp").serial);
}

}  // namespace
}  // namespace tapestro
