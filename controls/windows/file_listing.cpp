// The image file list on Windows: one FindFirstFile search per mask part (the system's
// own wildcard matching, which also matches a file's 8.3 alias), the user locale's order
// without regard to case (CompareStringEx), which the Linux order was made to match, and
// folder names that differ only in letter case naming one folder.
#include "controls/file_listing.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string_view>

#include "base/path.h"
#include "base/text.h"

namespace tapestro {

namespace {

struct TSearchCloser {
  void operator()(HANDLE search) const { ::FindClose(search); }
};
using TSearch = std::unique_ptr<void, TSearchCloser>;

bool AlreadyListed(const std::vector<TRzFileInfo>& entries, const std::string& name) {
  return std::any_of(entries.begin(), entries.end(),
                     [&name](const TRzFileInfo& entry) { return SameText(entry.Name, name); });
}

std::wstring Wide(std::string_view text) {
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

}  // namespace

std::vector<TRzFileInfo> ListFolder(const std::string& folder, const std::string& mask,
                                    const TListingOptions& options) {
  std::vector<TRzFileInfo> entries;
  const uint32_t filter = options.FileTypes.AttributeFilter();
  const bool acceptAll = options.FileTypes.Contains(TFileType::ftNormal);
  // Entries of these kinds stay unseen unless the filter names them.
  const uint32_t unseen = (kAttrHidden | kAttrSystem | kAttrVolumeID | kAttrDirectory) & ~filter;
  const bool checkDuplicates = mask.find(';') != std::string::npos;
  for (const std::string& part : SplitAt(mask, ';')) {
    if (part.empty()) continue;
    WIN32_FIND_DATAA found{};
    const TSearch search(::FindFirstFileA((IncludeTrailingPathDelimiter(folder) + part).c_str(), &found));
    if (search.get() == INVALID_HANDLE_VALUE) continue;
    do {
      const std::string name = found.cFileName;
      const uint32_t attributes = found.dwFileAttributes & 0x3F;
      if (name == "." || name == "..") continue;
      if ((attributes & unseen) != 0) continue;
      if (!acceptAll && (attributes & filter) == 0) continue;
      if (checkDuplicates && AlreadyListed(entries, name)) continue;
      entries.push_back(TRzFileInfo{name, (attributes & kAttrDirectory) != 0});
      if (entries.size() == kBusyCursorIndex + 1 && options.OnManyEntries) options.OnManyEntries();
    } while (::FindNextFileA(search.get(), &found));
  }
  if (entries.size() > 1) SortFileList(entries);
  return entries;
}

int CompareNames(std::string_view a, std::string_view b) {
  const std::wstring wideA = Wide(a);
  const std::wstring wideB = Wide(b);
  const int order =
      ::CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, wideA.data(), static_cast<int>(wideA.size()),
                        wideB.data(), static_cast<int>(wideB.size()), nullptr, nullptr, 0);
  if (order == CSTR_LESS_THAN) return -1;
  if (order == CSTR_GREATER_THAN) return 1;
  return a.compare(b);
}

// Folders first, then the names' order.
void SortFileList(std::vector<TRzFileInfo>& entries) {
  std::sort(entries.begin(), entries.end(), [](const TRzFileInfo& a, const TRzFileInfo& b) {
    if (a.IsDirectory != b.IsDirectory) return a.IsDirectory;
    return CompareNames(a.Name, b.Name) < 0;
  });
}

bool SameFolder(const std::string& current, const std::string& requested) {
  return ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, current.data(), static_cast<int>(current.size()),
                          requested.data(), static_cast<int>(requested.size())) == CSTR_EQUAL;
}

}  // namespace tapestro
