#include "controls/folder_route.h"

#include "base/path.h"

namespace tapestro {

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

}  // namespace tapestro
