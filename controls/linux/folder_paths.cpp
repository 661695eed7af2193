#include "controls/folder_paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <limits>
#include <memory>

namespace tapestro {

namespace {

// Longer than the coarsest modification time a file system keeps (FAT's two seconds).
constexpr int64_t kStampSettleNanoseconds = 3'000'000'000;
constexpr int64_t kNanosecondsPerSecond = 1'000'000'000;

// Saturates: a damaged file system may report any time.
int64_t Nanoseconds(const timespec& time) {
  constexpr int64_t kMaxSeconds = std::numeric_limits<int64_t>::max() / kNanosecondsPerSecond - 1;
  const int64_t seconds = std::clamp<int64_t>(time.tv_sec, -kMaxSeconds, kMaxSeconds);
  return seconds * kNanosecondsPerSecond + time.tv_nsec;
}

struct TDirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, TDirCloser>;

// Told by the entry's type alone, as the plain listing does; only links and file
// systems that do not report the type need one look. A folder the user may not open
// is listed too: it opens empty, as such a folder does in a file manager.
bool IsListed(DIR* dir, const dirent& entry, bool showHidden) {
  const char* name = entry.d_name;
  if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) return false;
  if (name[0] == '.' && !showHidden) return false;
  if (entry.d_type == DT_DIR) return true;
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
  struct stat info {};
  return ::fstatat(::dirfd(dir), name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

// Opened relative to an open parent, a folder costs no walk down its whole path.
DirHandle OpenDir(int parent, const char* path) {
  const int fd = ::openat(parent, path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  DIR* dir = ::fdopendir(fd);
  if (dir == nullptr) ::close(fd);
  return DirHandle(dir);
}

// Calls visit(name) for each listed subfolder until it returns false.
template <typename Visit>
void ForEachSubfolder(DIR* dir, bool showHidden, Visit visit) {
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    if (IsListed(dir, *entry, showHidden) && !visit(entry->d_name)) return;
  }
}

}  // namespace

std::vector<std::string> ListSubfolders(const std::string& folder, bool showHidden) {
  std::vector<std::string> names;
  ForEachSubfolder(OpenDir(AT_FDCWD, folder.c_str()).get(), showHidden, [&names](const char* name) {
    names.emplace_back(name);
    return names.size() < kMaxListedSubfolders;
  });
  return names;
}

std::vector<bool> WhichHaveSubfolders(const std::string& folder, const std::vector<std::string>& names,
                                      bool showHidden) {
  std::vector<bool> have(names.size(), false);
  const DirHandle parent = OpenDir(AT_FDCWD, folder.c_str());
  if (!parent) return have;
  for (size_t i = 0; i < names.size(); ++i) {
    ForEachSubfolder(OpenDir(::dirfd(parent.get()), names[i].c_str()).get(), showHidden, [&](const char*) {
      have[i] = true;
      return false;  // the first one tells
    });
  }
  return have;
}

bool GoneWithItsVolume(const std::string& folder, const std::string& existing,
                       const std::vector<std::string>& mountPlaces) {
  const auto below = [](const std::string& path, const std::string& place) {
    return path.size() > place.size() + 1 && path.compare(0, place.size(), place) == 0 && path[place.size()] == '/';
  };
  for (const std::string& place : mountPlaces) {
    if (!below(folder, place)) continue;
    if (!below(existing, place)) return true;
    struct stat left {};
    struct stat mounts {};
    return ::stat(existing.c_str(), &left) != 0 || ::stat(place.c_str(), &mounts) != 0 || left.st_dev == mounts.st_dev;
  }
  return false;
}

std::optional<int64_t> FolderStamp(const std::string& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
  return Nanoseconds(info.st_mtim);
}

std::optional<int64_t> SettledFolderStamp(const std::string& folder) {
  const std::optional<int64_t> stamp = FolderStamp(folder);
  timespec now{};
  if (!stamp || ::clock_gettime(CLOCK_REALTIME, &now) != 0) return std::nullopt;
  // A time ahead of the clock (another machine's share) is as untrustworthy as a recent one.
  if (Nanoseconds(now) - *stamp < kStampSettleNanoseconds) return std::nullopt;
  return stamp;
}

}  // namespace tapestro
