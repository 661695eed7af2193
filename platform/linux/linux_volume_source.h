#pragma once
// Top-level folders on Linux: the root, the home folder, then each mounted user
// volume by mount point, read from the mount table and read again when it changes.
// The table's text, the choice of mounts and the captions are pure functions, so that
// any table can be tested without mounting anything.
#include <QObject>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/volume_source.h"

class QSocketNotifier;

namespace tapestro {

// One line of the mount table as the kernel lists it in /proc/self/mounts.
struct TMountEntry {
  std::string device;
  std::string mountPoint;  // unescaped: "\040" in the table is a blank here
  std::string fileSystem;
};

// One entry per well-formed line, in table order; lines with fewer than three fields
// are skipped.
std::vector<TMountEntry> ParseMountTable(std::string_view text);

// The mount points a user keeps files on, besides the root and the home folder:
// every mount under /media, /mnt or /run/media, and any other mount outside the
// system's own trees, whose file system holds files (not proc, sysfs, cgroup and the
// like). A mount point listed twice counts once; sorted by byte order.
std::vector<std::string> UserVolumeMountPoints(const std::vector<TMountEntry>& table, const std::string& homeFolder);

// How a top-level folder is captioned: the label lower-cased with its first letter
// upper-cased (a label PHOTOS becomes Photos), a blank and the place in brackets:
// "Photos (/media/usb)". An empty label keeps the blank: " (/)".
std::string VolumeCaption(std::string_view label, std::string_view place);
// "(/mnt/x)": a volume whose file system cannot be read.
std::string UnreadableVolumeCaption(std::string_view place);

// Tells when the mount table changes. The kernel marks an open mount table with an
// exceptional condition (POLLPRI) at every mount and unmount, so the watcher costs no
// wake-up while nothing happens.
class TMountWatcher final : public QObject {
  Q_OBJECT

 public:
  // Watches the given table (another process's /proc/PID/mounts in tests).
  explicit TMountWatcher(const std::string& mountTable = "/proc/self/mounts", QObject* parent = nullptr);
  ~TMountWatcher() override;

  // False when the table could not be opened; nothing is then reported.
  bool IsWatching() const { return notifier_ != nullptr; }

 signals:
  // On the thread that owns the watcher (the user-interface thread).
  void Changed();

 private:
  int fd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
};

class TLinuxVolumeSource final : public TVolumeSource {
  Q_OBJECT

 public:
  // The mount table can list thousands of container mounts, but not more than this.
  static constexpr size_t kMaxMountTableSize = 4 * 1024 * 1024;

  TLinuxVolumeSource();
  std::vector<TVolumeInfo> TopLevelFolders() override;
  TVolumeInfo Describe(const std::string& path) override;

 private:
  std::string home_;  // without trailing delimiter; empty when it is the root or absent
  TMountWatcher watcher_;
};

}  // namespace tapestro
