#include "platform/mount_table.h"

#include <gtest/gtest.h>

#include "platform/volume_caption.h"

namespace tapestro {
namespace {

// A desktop machine's table: the root disk, pseudo file systems, a USB stick mounted
// by the desktop, a disc with a blank in its name, a network share, a container's
// mounts and a mount inside the home folder.
constexpr char kSampleTable[] =
    "sysfs /sys sysfs rw,nosuid,nodev,noexec,relatime 0 0\n"
    "proc /proc proc rw,nosuid,nodev,noexec,relatime 0 0\n"
    "/dev/nvme0n1p2 / ext4 rw,relatime,errors=remount-ro 0 0\n"
    "/dev/nvme0n1p1 /boot/efi vfat rw,relatime 0 0\n"
    "tmpfs /run tmpfs rw,nosuid,nodev,size=1600000k 0 0\n"
    "/dev/sdb1 /run/media/me/KINGSTON vfat rw,nosuid,nodev,relatime 0 0\n"
    "/dev/sr0 /media/me/Holiday\\040Disc iso9660 ro,nosuid,nodev 0 0\n"
    "//nas/photos /mnt/nas cifs rw,relatime 0 0\n"
    "overlay /var/lib/docker/overlay2/abc/merged overlay rw 0 0\n"
    "/dev/sdc1 /data ext4 rw 0 0\n"
    "portal /home/me/.cache/doc fuse.portal rw 0 0\n"
    "/dev/sdd1 /home/me/backup ext4 rw 0 0\n"
    "systemd-1 /mnt/auto autofs rw 0 0\n"
    "cut-line-without-fields\n"
    "/dev/sdb1 /run/media/me/KINGSTON vfat rw 0 0\n";

TEST(MountTable, ParsesFieldsAndUnescapesNames) {
  const std::vector<TMountEntry> table = ParseMountTable(kSampleTable);
  ASSERT_EQ(table.size(), 14u);  // the cut line is skipped
  EXPECT_EQ(table[2].device, "/dev/nvme0n1p2");
  EXPECT_EQ(table[2].mountPoint, "/");
  EXPECT_EQ(table[2].fileSystem, "ext4");
  EXPECT_EQ(table[6].mountPoint, "/media/me/Holiday Disc");
  // A backslash that starts no escape stays, and a short escape at the end too.
  EXPECT_EQ(ParseMountTable("a /x\\\\y\\04 ext4")[0].mountPoint, "/x\\\\y\\04");
  EXPECT_EQ(ParseMountTable("a /x\\134y ext4\n")[0].mountPoint, "/x\\y");
  EXPECT_TRUE(ParseMountTable("").empty());
}

TEST(MountTable, KeepsTheUsersVolumesOnceEachInMountPointOrder) {
  EXPECT_EQ(UserVolumeMountPoints(ParseMountTable(kSampleTable), "/home/me"),
            (std::vector<std::string>{"/data", "/media/me/Holiday Disc", "/mnt/nas", "/run/media/me/KINGSTON"}));
  // Without a home folder of its own, what is mounted in /home is a volume.
  EXPECT_EQ(UserVolumeMountPoints(ParseMountTable("/dev/sdd1 /home/me/backup ext4 rw 0 0\n"), ""),
            std::vector<std::string>{"/home/me/backup"});
}

TEST(VolumeCaption, LabelAndMountPointInTheUsualShape) {
  EXPECT_EQ(VolumeCaption("KINGSTON", "/media/usb"), "Kingston (/media/usb)");
  EXPECT_EQ(VolumeCaption("", "/"), " (/)");
  EXPECT_EQ(VolumeCaption("Été", "/mnt/x"), "Été (/mnt/x)");  // bytes beyond ASCII are left alone
  EXPECT_EQ(UnreadableVolumeCaption("/mnt/x"), "(/mnt/x)");
}

}  // namespace
}  // namespace tapestro
