#include "controls/folder_scan.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <memory>

namespace tapestro {

namespace {

struct TDirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, TDirCloser>;

bool IsListed(DIR* dir, const dirent& entry, bool showHidden) {
  const char* name = entry.d_name;
  if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) return false;
  if (name[0] == '.' && !showHidden) return false;
  const int fd = ::dirfd(dir);
  if (entry.d_type != DT_DIR) {
    // Links and file systems that do not report the type need one look.
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
    struct stat info {};
    if (::fstatat(fd, name, &info, 0) != 0 || !S_ISDIR(info.st_mode)) return false;
  }
  return ::faccessat(fd, name, X_OK, 0) == 0;
}

// Calls visit(name) for each listed subfolder until it returns false.
template <typename Visit>
void ForEachSubfolder(const std::string& folder, bool showHidden, Visit visit) {
  DirHandle dir(::opendir(folder.c_str()));
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (IsListed(dir.get(), *entry, showHidden) && !visit(entry->d_name)) return;
  }
}

}  // namespace

std::vector<std::string> ListSubfolders(const std::string& folder, bool showHidden) {
  std::vector<std::string> names;
  ForEachSubfolder(folder, showHidden, [&names](const char* name) {
    names.emplace_back(name);
    return names.size() < kMaxListedSubfolders;
  });
  return names;
}

bool HasSubfolders(const std::string& folder, bool showHidden) {
  bool found = false;
  ForEachSubfolder(folder, showHidden, [&found](const char*) {
    found = true;
    return false;
  });
  return found;
}

}  // namespace tapestro
