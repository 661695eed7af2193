#include "base/path.h"

#include "base/file_system.h"

namespace tapestro {

std::string ExtractFileName(std::string_view path) {
  const size_t cut = path.find_last_of(kNameDelimiters);
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string ExtractFilePath(std::string_view path) {
  const size_t cut = path.find_last_of(kNameDelimiters);
  return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

std::string ExtractFileExt(std::string_view path) {
  const std::string name = ExtractFileName(path);
  const size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

namespace {

bool EndsInDelimiter(std::string_view path) {
  return !path.empty() && kFolderDelimiters.find(path.back()) != std::string_view::npos;
}

bool IsRoot(std::string_view path) {
#ifdef _WIN32
  if (path.size() == 3 && path[1] == ':') return true;  // a drive root, "C:\" say
#endif
  return path.size() == 1;
}

}  // namespace

std::string IncludeTrailingPathDelimiter(std::string_view path) {
  std::string out(path);
  if (!EndsInDelimiter(out)) out += kPathDelim;
  return out;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
  std::string out(path);
  if (EndsInDelimiter(out) && !IsRoot(out)) out.pop_back();
  return out;
}

std::string GetCurrentDir() { return fs::CurrentDirectory(); }

bool SetCurrentDir(const std::string& path) { return fs::ChangeDirectory(path); }

std::string ExpandFileName(std::string_view path) { return fs::FullPathName(path); }

std::string ExecutablePath() { return fs::RunningExecutable(); }

std::string ExecutableDir() { return ExtractFilePath(ExecutablePath()); }

bool FileExists(const std::string& path) { return fs::IsFile(path); }

bool DirectoryExists(const std::string& path) { return fs::IsDirectory(path); }

}  // namespace tapestro
