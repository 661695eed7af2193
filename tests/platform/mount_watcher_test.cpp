#include "platform/linux/mount_watcher.h"

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

}  // namespace
}  // namespace tapestro
