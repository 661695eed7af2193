#include "platform/linux/linux_volume_source.h"

#include <sys/statfs.h>

#include <QDir>
#include <QFile>
#include <QMetaMethod>
#include <QStorageInfo>
#include <algorithm>
#include <cstring>

#include "base/path.h"
#include "base/text.h"

namespace tapestro {

namespace {

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

std::string VolumeCaption(std::string_view label, std::string_view place) {
  std::string name = LowerCase(label);
  if (!name.empty()) name = UpperCase(name.substr(0, 1)) + name.substr(1);
  return name + " " + UnreadableVolumeCaption(place);
}

std::string UnreadableVolumeCaption(std::string_view place) { return std::string("(").append(place).append(")"); }

std::unique_ptr<TVolumeSource> CreateVolumeSource() { return std::make_unique<TLinuxVolumeSource>(); }

TLinuxVolumeSource::TLinuxVolumeSource() : home_(HomeFolder()) {}

TLinuxVolumeSource::~TLinuxVolumeSource() = default;

std::vector<TVolumeInfo> TLinuxVolumeSource::TopLevelFolders() {
  std::vector<TVolumeInfo> folders{Describe("/")};
  if (!home_.empty()) folders.push_back(Describe(home_));
  for (const std::string& point : ShownMountPoints(home_)) folders.push_back(Describe(point));
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

void TLinuxVolumeSource::connectNotify(const QMetaMethod& signal) {
  if (monitor_ == nullptr && signal == QMetaMethod::fromSignal(&TVolumeSource::Changed))
    monitor_ = std::make_unique<TMountMonitor>([this] { emit Changed(); });
}

std::vector<std::string> TLinuxVolumeSource::MountPlaces() const {
  return std::vector<std::string>(std::begin(kMountPlaces), std::end(kMountPlaces));
}

}  // namespace tapestro
