#include "platform/linux/linux_volume_source.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QSignalSpy>
#include <string>

#include "tests/support/temp_dir.h"

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

// A child process in a mount namespace of its own mounts a RAM disk when told to, so
// the test sees a real mount-table change without touching the machine's mounts.
class PrivateMounter {
 public:
  explicit PrivateMounter(const std::string& target) {
    if (::pipe(go_) != 0 || ::pipe(ready_) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) RunChild(target);
    ::close(go_[0]);
    ::close(ready_[1]);
    char answer = 0;
    ok_ = ::read(ready_[0], &answer, 1) == 1 && answer == 'y';
  }
  ~PrivateMounter() {
    ::close(go_[1]);  // the child ends when its pipe closes
    ::close(ready_[0]);
    if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
  }
  bool Ok() const { return ok_; }
  std::string MountTable() const { return "/proc/" + std::to_string(pid_) + "/mounts"; }
  void Mount() {
    const char go = 'm';
    ASSERT_EQ(::write(go_[1], &go, 1), 1);
  }

 private:
  [[noreturn]] void RunChild(const std::string& target) {
    ::close(go_[1]);
    ::close(ready_[0]);
    // Private, so that nothing mounted here reaches the machine.
    const bool ok = ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    const char answer = ok ? 'y' : 'n';
    if (::write(ready_[1], &answer, 1) != 1 || !ok) ::_exit(0);
    char command = 0;
    while (::read(go_[0], &command, 1) == 1) ::mount("tapestro-test", target.c_str(), "tmpfs", 0, "size=64k");
    ::_exit(0);
  }

  int go_[2] = {-1, -1};
  int ready_[2] = {-1, -1};
  pid_t pid_ = -1;
  bool ok_ = false;
};

TEST(MountWatcher, ReportsAMountAndStaysQuietOtherwise) {
  test::TempDir dir;
  PrivateMounter mounter(dir.Path());
  if (!mounter.Ok()) GTEST_SKIP() << "no permission for a private mount namespace";
  TMountWatcher watcher(mounter.MountTable());
  ASSERT_TRUE(watcher.IsWatching());
  QSignalSpy changes(&watcher, &TMountWatcher::Changed);
  EXPECT_FALSE(changes.wait(200));

  mounter.Mount();
  EXPECT_TRUE(changes.wait(5000));
  // One change, one notice: the watcher does not keep firing.
  EXPECT_FALSE(changes.wait(300));
  EXPECT_EQ(changes.count(), 1);
}

TEST(MountWatcher, MissingTableWatchesNothing) {
  TMountWatcher watcher("/proc/no-such-process/mounts");
  EXPECT_FALSE(watcher.IsWatching());
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
