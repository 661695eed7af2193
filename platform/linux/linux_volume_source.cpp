#include "platform/linux/linux_volume_source.h"

#include <fcntl.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStorageInfo>
#include <algorithm>
#include <array>
#include <cstring>

#include "base/path.h"
#include "base/text.h"

namespace tapestro {

namespace {

// Kernel interfaces and helper mounts: nothing a user stores pictures on.
constexpr std::array<std::string_view, 22> kPseudoFileSystems = {
    "proc",        "sysfs",   "devtmpfs",   "devpts",   "cgroup",    "cgroup2",    "securityfs", "pstore",
    "bpf",         "debugfs", "tracefs",    "configfs", "fusectl",   "mqueue",     "hugetlbfs",  "autofs",
    "binfmt_misc", "nsfs",    "rpc_pipefs", "efivarfs", "selinuxfs", "fuse.portal"};

// Trees that belong to the system; their mounts are not volumes of the user's.
constexpr std::array<std::string_view, 17> kSystemTrees = {"/boot",  "/dev",   "/proc", "/sys",  "/run", "/var",
                                                           "/usr",   "/etc",   "/tmp",  "/snap", "/efi", "/lib",
                                                           "/lib32", "/lib64", "/bin",  "/sbin", "/opt"};

// Trees whose mounts are the user's even where a system tree holds them.
constexpr std::array<std::string_view, 3> kVolumeTrees = {"/media", "/mnt", "/run/media"};

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

// The table writes blanks, tabs, newlines and backslashes in names as \ooo.
std::string Unescape(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1]) && IsOctal(field[i + 2]) &&
        IsOctal(field[i + 3])) {
      out.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
      i += 3;
    } else {
      out.push_back(field[i]);
    }
  }
  return out;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  while (start < line.size()) {
    const size_t end = std::min(line.find_first_of(" \t", start), line.size());
    if (end > start) fields.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  return fields;
}

bool IsInside(std::string_view path, std::string_view tree) {
  if (tree == "/") return true;
  return path.size() >= tree.size() && path.substr(0, tree.size()) == tree &&
         (path.size() == tree.size() || path[tree.size()] == '/');
}

bool IsStrictlyInside(std::string_view path, std::string_view tree) { return path != tree && IsInside(path, tree); }

bool InAny(std::string_view path, auto trees, bool strictly) {
  return std::any_of(trees.begin(), trees.end(), [&](std::string_view tree) {
    return strictly ? IsStrictlyInside(path, tree) : IsInside(path, tree);
  });
}

bool IsUserVolume(const TMountEntry& entry, const std::string& homeFolder) {
  const std::string_view point = entry.mountPoint;
  if (point.empty() || point.front() != '/' || point == "/") return false;
  if (std::find(kPseudoFileSystems.begin(), kPseudoFileSystems.end(), entry.fileSystem) != kPseudoFileSystems.end())
    return false;
  // The home folder has a node of its own, and what is mounted inside it is reached there.
  if (!homeFolder.empty() && IsInside(point, homeFolder)) return false;
  if (InAny(point, kVolumeTrees, true)) return true;
  return !InAny(point, kSystemTrees, false);
}

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

std::vector<TMountEntry> ParseMountTable(std::string_view text) {
  std::vector<TMountEntry> table;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    const std::vector<std::string_view> fields = SplitFields(text.substr(start, end - start));
    if (fields.size() >= 3) table.push_back({Unescape(fields[0]), Unescape(fields[1]), std::string(fields[2])});
    start = end + 1;
  }
  return table;
}

std::vector<std::string> UserVolumeMountPoints(const std::vector<TMountEntry>& table, const std::string& homeFolder) {
  std::vector<std::string> points;
  for (const TMountEntry& entry : table)
    if (IsUserVolume(entry, homeFolder)) points.push_back(entry.mountPoint);
  std::sort(points.begin(), points.end());
  points.erase(std::unique(points.begin(), points.end()), points.end());
  return points;
}

std::string VolumeCaption(std::string_view label, std::string_view place) {
  std::string name = LowerCase(label);
  if (!name.empty()) name = UpperCase(name.substr(0, 1)) + name.substr(1);
  return name + " " + UnreadableVolumeCaption(place);
}

std::string UnreadableVolumeCaption(std::string_view place) { return std::string("(").append(place).append(")"); }

TMountWatcher::TMountWatcher(const std::string& mountTable, QObject* parent) : QObject(parent) {
  fd_ = ::open(mountTable.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Exception);
  // Each poll that reports the change also clears it, so one signal per change.
  connect(notifier_.get(), &QSocketNotifier::activated, this, &TMountWatcher::Changed);
}

TMountWatcher::~TMountWatcher() {
  notifier_.reset();
  if (fd_ >= 0) ::close(fd_);
}

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
