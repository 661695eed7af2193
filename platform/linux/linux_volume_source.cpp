#include "platform/linux/linux_volume_source.h"

#include <fcntl.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <cstring>

#include "base/path.h"
#include "platform/mount_table.h"
#include "platform/volume_caption.h"

namespace tapestro {

namespace {

// /proc files report no size, so read until the end or the cap.
std::string ReadMountTable() {
  std::string text;
  const int fd = ::open("/proc/self/mounts", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return text;
  char buffer[16384];
  ssize_t n = 0;
  while (text.size() < TLinuxVolumeSource::kMaxMountTableSize && (n = ::read(fd, buffer, sizeof buffer)) > 0)
    text.append(buffer, static_cast<size_t>(n));
  ::close(fd);
  return text;
}

// The file-system id of the volume holding path, or -1 when it cannot be read.
int64_t FileSystemId(const std::string& path) {
  struct statfs info {};
  if (::statfs(path.c_str(), &info) != 0) return -1;
  uint32_t halves[2];
  static_assert(sizeof halves == sizeof info.f_fsid);
  std::memcpy(halves, &info.f_fsid, sizeof halves);
  // Kept non-negative: -1 means unreadable.
  return static_cast<int64_t>(((static_cast<uint64_t>(halves[1]) << 32) | halves[0]) & INT64_MAX);
}

std::string HomeFolder() {
  const std::string home = ExcludeTrailingPathDelimiter(QFile::encodeName(QDir::homePath()).toStdString());
  return home == "/" || !DirectoryExists(home) ? std::string() : home;
}

}  // namespace

std::unique_ptr<TVolumeSource> CreateVolumeSource() { return std::make_unique<TLinuxVolumeSource>(); }

TLinuxVolumeSource::TLinuxVolumeSource() : home_(HomeFolder()) {
  connect(&watcher_, &TMountWatcher::Changed, this, &TVolumeSource::Changed);
}

std::vector<TVolumeInfo> TLinuxVolumeSource::TopLevelFolders() {
  std::vector<TVolumeInfo> folders{Describe("/")};
  if (!home_.empty()) folders.push_back(Describe(home_));
  for (const std::string& point : UserVolumeMountPoints(ParseMountTable(ReadMountTable()), home_))
    folders.push_back(Describe(point));
  return folders;
}

TVolumeInfo TLinuxVolumeSource::Describe(const std::string& path) {
  const std::string place = ExcludeTrailingPathDelimiter(path);
  TVolumeInfo info{IncludeTrailingPathDelimiter(place), UnreadableVolumeCaption(place), FileSystemId(place)};
  if (info.serial == -1) return info;
  // The home folder is no volume; its own name stands where a label would.
  const std::string label = place == home_ ? ExtractFileName(place)
                                           : QFile::encodeName(QStorageInfo(QFile::decodeName(place.c_str())).name())
                                                 .toStdString();
  info.caption = VolumeCaption(label, place);
  return info;
}

}  // namespace tapestro
