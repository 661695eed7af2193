#include "controls/folder_paths.h"

#include "base/errors.h"
#include "base/path.h"
#include "base/text.h"

namespace tapestro {

// ---- The way down ----

namespace {

bool Holds(const std::string& top, const std::string& folder) {
  const std::string withDelim = IncludeTrailingPathDelimiter(folder);
  return withDelim.compare(0, top.size(), top) == 0;
}

}  // namespace

std::optional<size_t> HoldingTopLevel(const std::vector<std::string>& topLevels, const std::string& folder) {
  std::optional<size_t> best;
  for (size_t i = 0; i < topLevels.size(); ++i)
    if (Holds(topLevels[i], folder) && (!best || topLevels[i].size() > topLevels[*best].size())) best = i;
  return best;
}

std::string DeepestExistingFolder(const std::string& folder, const std::string& top) {
  std::string candidate = folder;
  for (;;) {
    if (DirectoryExists(candidate)) return candidate;
    if (IncludeTrailingPathDelimiter(candidate).size() <= top.size()) return std::string();
    candidate = ExcludeTrailingPathDelimiter(ExtractFilePath(candidate));
  }
}

TFolderToOpen FolderToOpen(const std::string& folder, const std::string& path,
                           const std::vector<std::string>& topLevels, const std::vector<std::string>& mountPlaces) {
  TFolderToOpen target{std::string(), HoldingTopLevel(topLevels, folder)};
  if (target.TopLevel)
    target.Folder = DeepestExistingFolder(folder, topLevels[*target.TopLevel]);
  else if (DirectoryExists(folder))
    target.Folder = folder;
  if (target.Folder != folder && GoneWithItsVolume(folder, target.Folder, mountPlaces)) target.Folder.clear();
  if (target.Folder.empty()) throw EInOutError(Format(msg::kDirectoryDoesNotExist, path));
  return target;
}

std::vector<std::string> NamesBelow(const std::string& top, const std::string& folder) {
  std::vector<std::string> names;
  const std::string withDelim = IncludeTrailingPathDelimiter(folder);
  size_t start = top.size();
  while (start < withDelim.size()) {
    const size_t end = withDelim.find(kPathDelim, start);
    if (end > start) names.push_back(withDelim.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

// ---- The label ----

namespace {

constexpr char kDelim = kPathDelim;
const std::string kEllipsisFolder = std::string("...") + kDelim;
const std::string kRootEllipsis = kDelim + kEllipsisFolder;

struct TSplitPath {
  std::string drive;    // the top-level folder, without trailing delimiter
  std::string folders;  // from the first delimiter after it to the last, inclusive
  std::string name;

  std::string Text() const { return drive + folders + name; }
};

TSplitPath Split(const std::string& folder, const std::string& topLevel) {
  std::string drive = ExcludeTrailingPathDelimiter(topLevel);
  // The root, or the top-level folder itself: no drive part, a plain path.
  if (drive.size() <= 1 || folder == drive || folder.compare(0, drive.size(), drive) != 0) drive.clear();
  const std::string rest = folder.substr(drive.size());
  const size_t last = rest.find_last_of(kDelim);
  if (last == std::string::npos) return {drive, std::string(), rest};
  return {drive, rest.substr(0, last + 1), rest.substr(last + 1)};
}

// "/a/b/" -> "/.../b/", "/.../b/" -> "/.../", ".../" -> "".
std::string DropFirstFolder(const std::string& folders) {
  const std::string lead = folders.front() == kDelim ? std::string(1, kDelim) : std::string();
  std::string rest = folders.substr(lead.size());
  if (rest.compare(0, kEllipsisFolder.size(), kEllipsisFolder) == 0) rest.erase(0, kEllipsisFolder.size());
  const size_t cut = rest.find(kDelim);
  if (cut == std::string::npos) return std::string();
  return lead + kEllipsisFolder + rest.substr(cut + 1);
}

}  // namespace

std::string ShortenFolderPath(const std::string& folder, const std::string& topLevel, int width,
                              const TTextWidth& textWidth) {
  TSplitPath path = Split(folder, topLevel);
  if (path.name.empty()) return folder;  // the root: nothing to give way
  while (textWidth(path.Text()) > width && !(path.drive.empty() && path.folders.empty())) {
    // A lone delimiter goes the same way, or the drive would run into the name.
    if (path.folders == kRootEllipsis || path.folders == std::string(1, kDelim)) {
      path.drive.clear();
      path.folders = kEllipsisFolder;
    } else if (!path.folders.empty()) {
      path.folders = DropFirstFolder(path.folders);
    } else {
      path.drive.clear();
    }
  }
  return path.Text();
}

}  // namespace tapestro
