// The volume source against the real mount table: which volumes GIO shows, and its
// notices. This program enters a mount namespace of its own before anything starts (main, at
// the end), so that it mounts and unmounts volumes in /media as a desktop does while
// nothing reaches the machine's own mounts.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QSignalSpy>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/linux/linux_volume_source.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

namespace fs = std::filesystem;

// Empty once main has entered the namespace; else why it could not.
std::string namespaceRefused = "main did not run";

constexpr char kStick[] = "/media/STICK";
constexpr int kNoticeWait = 5000;

// The top folder of the file system that holds path.
std::string FileSystemRoot(const std::string& path) {
  struct stat here {};
  struct stat above {};
  fs::path folder = fs::canonical(path);
  while (folder.has_relative_path() && ::stat(folder.c_str(), &here) == 0 &&
         ::stat(folder.parent_path().c_str(), &above) == 0 && here.st_dev == above.st_dev)
    folder = folder.parent_path();
  return folder;
}

class VolumeMountsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(namespaceRefused.empty()) << namespaceRefused; }
  void TearDown() override { ::umount2(kStick, MNT_DETACH); }

  // Mounted as a desktop mounts a USB stick: a whole disk's file system at /media/NAME
  // (the desktop shows no mount of a part of one, nor a RAM disk). The build folder's
  // disk stands in.
  static void PlugIn() {
    fs::create_directories(kStick);
    const std::string root = FileSystemRoot(test::BinaryDir());
    ASSERT_EQ(::mount(root.c_str(), kStick, nullptr, MS_BIND, nullptr), 0) << std::strerror(errno);
  }

  static bool Shown(TVolumeSource& volumes, const std::string& path) {
    const std::vector<TVolumeInfo> folders = volumes.TopLevelFolders();
    return std::any_of(folders.begin(), folders.end(), [&](const TVolumeInfo& info) { return info.path == path; });
  }
};

TEST_F(VolumeMountsTest, AVolumeTheDesktopShowsComesAndGoesAtTheTopLevel) {
  TLinuxVolumeSource volumes;
  QSignalSpy changes(&volumes, &TVolumeSource::Changed);
  PlugIn();
  ASSERT_TRUE(changes.wait(kNoticeWait));
  EXPECT_TRUE(Shown(volumes, std::string(kStick) + "/")) << "the bind mount's file system counts as the system's own";

  // A RAM disk is the system's own: no volume of the user's.
  fs::create_directories("/media/RAM");
  ASSERT_EQ(::mount("tapestro-test", "/media/RAM", "tmpfs", 0, "size=64k"), 0) << std::strerror(errno);
  ASSERT_TRUE(changes.wait(kNoticeWait));
  EXPECT_FALSE(Shown(volumes, "/media/RAM/"));
  ::umount2("/media/RAM", MNT_DETACH);

  ASSERT_EQ(::umount2(kStick, 0), 0);
  ASSERT_TRUE(changes.wait(kNoticeWait));
  EXPECT_FALSE(Shown(volumes, std::string(kStick) + "/"));
}

bool WriteFile(const char* path, const std::string& text) {
  const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  ::close(fd);
  return written;
}

// A mount namespace of this process's own, with /media on a RAM disk of its own, so
// that the tests mount where desktops do. An unprivileged user gets one inside a user
// namespace, which only a process with one thread may enter: this runs first in main.
std::string EnterPrivateMountNamespace() {
  const uid_t uid = ::geteuid();
  const gid_t gid = ::getegid();
  if (uid == 0) {
    if (::unshare(CLONE_NEWNS) != 0) return std::string("unshare: ") + std::strerror(errno);
  } else {
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return std::string("unshare: ") + std::strerror(errno);
    if (!WriteFile("/proc/self/setgroups", "deny") ||
        !WriteFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !WriteFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
      return "cannot map the user into the namespace";
  }
  if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
    return std::string("private mounts: ") + std::strerror(errno);
  if (::mount("tapestro-media", "/media", "tmpfs", 0, "size=1m") != 0)
    return std::string("/media: ") + std::strerror(errno);
  return std::string();
}

}  // namespace
}  // namespace tapestro

int main(int argc, char** argv) {
  tapestro::namespaceRefused = tapestro::EnterPrivateMountNamespace();
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
