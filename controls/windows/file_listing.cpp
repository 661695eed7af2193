// The image file list's reading of one folder on Windows: one FindFirstFile search per
// mask part (the system's own wildcard matching, which also matches a file's 8.3 alias),
// and the user locale's order without regard to case (CompareStringEx), which the Linux
// order was made to match.
#include "controls/file_listing.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "base/path.h"
#include "base/text.h"

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

struct TSearchCloser {
  void operator()(HANDLE search) const { ::FindClose(search); }
};
using TSearch = std::unique_ptr<void, TSearchCloser>;

bool AlreadyListed(const std::vector<TRzFileInfo>& entries, const std::string& name) {
  return std::any_of(entries.begin(), entries.end(),
                     [&name](const TRzFileInfo& entry) { return SameText(entry.Name, name); });
}

std::wstring Wide(const std::string& text) {
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
  for (const std::string& part : SplitMask(mask)) {
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

// Folders first, then CompareStringEx in the user's locale ignoring case, then the
// bytes, so that the order is total and no sort can leave it to chance.
void SortFileList(std::vector<TRzFileInfo>& entries) {
  std::vector<std::pair<std::wstring, TRzFileInfo>> keyed;
  keyed.reserve(entries.size());
  for (TRzFileInfo& entry : entries) keyed.emplace_back(Wide(entry.Name), std::move(entry));
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    if (a.second.IsDirectory != b.second.IsDirectory) return a.second.IsDirectory;
    const int order =
        ::CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.first.data(), static_cast<int>(a.first.size()),
                          b.first.data(), static_cast<int>(b.first.size()), nullptr, nullptr, 0);
    if (order != CSTR_EQUAL) return order == CSTR_LESS_THAN;
    return a.second.Name < b.second.Name;
  });
  entries.clear();
  for (auto& [key, entry] : keyed) entries.push_back(std::move(entry));
}

void SortNames(std::vector<std::string>& names) {
  std::vector<TRzFileInfo> entries;
  entries.reserve(names.size());
  for (std::string& name : names) entries.push_back(TRzFileInfo{std::move(name), true});
  SortFileList(entries);
  names.clear();
  for (TRzFileInfo& entry : entries) names.push_back(std::move(entry.Name));
}

}  // namespace tapestro
