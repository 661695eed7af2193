#include "controls/file_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <memory>
#include <string_view>

namespace tapestro {

namespace {

std::vector<std::string> SplitMask(const std::string& mask) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = mask.find(';', start);
    parts.push_back(mask.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

bool MatchesAnyPart(const std::vector<std::string>& parts, const char* name) {
  for (const std::string& part : parts)
    if (!part.empty() && ::fnmatch(part.c_str(), name, FNM_CASEFOLD) == 0) return true;
  return false;
}

// The attribute bits of one entry. readOnlyWanted asks for the read-only bit, which
// needs a stat; everything else comes from the name and the entry's type.
uint32_t Attributes(int folderFd, const dirent& entry, bool readOnlyWanted) {
  uint32_t attributes = entry.d_name[0] == '.' ? kAttrHidden : 0;
  unsigned char type = entry.d_type;
  struct stat info {};
  bool statted = false;
  if (type == DT_LNK || type == DT_UNKNOWN || readOnlyWanted) {
    // Follow links: a link to a picture is listed like the picture.
    if (::fstatat(folderFd, entry.d_name, &info, 0) != 0) return attributes | kAttrSystem;
    statted = true;
    type = S_ISREG(info.st_mode) ? DT_REG : S_ISDIR(info.st_mode) ? DT_DIR : DT_UNKNOWN;
  }
  if (type == DT_DIR)
    attributes |= kAttrDirectory;
  else if (type != DT_REG)
    attributes |= kAttrSystem;
  if (statted && (info.st_mode & 0222) == 0) attributes |= kAttrReadOnly;
  return attributes;
}

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

}  // namespace

std::vector<TRzFileInfo> ListFolder(const std::string& folder, const std::string& mask,
                                    const TListingOptions& options) {
  std::vector<TRzFileInfo> entries;
  const std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
  if (!dir) return entries;

  const std::vector<std::string> parts = SplitMask(mask);
  const uint32_t filter = options.FileTypes.AttributeFilter();
  const bool acceptAll = options.FileTypes.Contains(TFileType::ftNormal);
  // Entries of these kinds stay unseen unless the filter names them.
  const uint32_t unseen = (kAttrHidden | kAttrSystem | kAttrVolumeID | kAttrDirectory) & ~filter;
  const bool readOnlyWanted = !acceptAll && (filter & kAttrReadOnly) != 0;
  const int folderFd = ::dirfd(dir.get());

  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view name(entry->d_name);
    if (name == "." || name == "..") continue;
    if (!MatchesAnyPart(parts, entry->d_name)) continue;
    const uint32_t attributes = Attributes(folderFd, *entry, readOnlyWanted);
    if ((attributes & unseen) != 0) continue;
    if (!acceptAll && (attributes & filter) == 0) continue;
    entries.push_back(TRzFileInfo{std::string(name), (attributes & kAttrDirectory) != 0});
    if (entries.size() == kBusyCursorIndex + 1 && options.OnManyEntries) options.OnManyEntries();
  }
  if (entries.size() > 1) SortFileList(entries);
  return entries;
}

}  // namespace tapestro
