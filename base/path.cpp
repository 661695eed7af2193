#include "base/path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <vector>

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

std::string IncludeTrailingPathDelimiter(std::string_view path) {
  std::string out(path);
  if (out.empty() || out.back() != kPathDelim) out += kPathDelim;
  return out;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
  std::string out(path);
  if (out.size() > 1 && out.back() == kPathDelim) out.pop_back();
  return out;
}

std::string GetCurrentDir() {
  std::vector<char> buffer(PATH_MAX + 1);
  if (::getcwd(buffer.data(), buffer.size()) == nullptr) return std::string();
  return std::string(buffer.data());
}

bool SetCurrentDir(const std::string& path) { return ::chdir(path.c_str()) == 0; }

std::string ExpandFileName(std::string_view path) {
  std::string input(path);
  if (input.empty() || input.front() != '/') input = IncludeTrailingPathDelimiter(GetCurrentDir()) + input;
  // Fold "." and ".." textually, as the system's full-path call does.
  std::vector<std::string> parts;
  size_t start = 1;
  while (start <= input.size()) {
    size_t end = input.find('/', start);
    if (end == std::string::npos) end = input.size();
    const std::string part = input.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string out;
  for (const std::string& part : parts) out += "/" + part;
  if (out.empty()) out.push_back(kPathDelim);
  if (input.size() > 1 && input.back() == '/' && out != "/") out += '/';
  return out;
}

std::string ExecutablePath() {
  std::vector<char> buffer(PATH_MAX + 1);
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return std::string();
  return std::string(buffer.data(), static_cast<size_t>(n));
}

std::string ExecutableDir() { return ExtractFilePath(ExecutablePath()); }

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace tapestro
