#include "platform/app_folders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "base/path.h"

namespace tapestro {

namespace {

constexpr char kProgramFolder[] = "tapestro";

// $VARIABLE when it holds an absolute path (the rules say to ignore anything else),
// else the home folder joined with fallback.
std::string BaseFolder(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  if (value && value[0] == '/') return value;
  const char* home = std::getenv("HOME");
  return std::string(home && home[0] ? home : "/") + "/" + fallback;
}

std::string UserFolder(const char* variable, const char* fallback) {
  const std::string folder = IncludeTrailingPathDelimiter(BaseFolder(variable, fallback)) + kProgramFolder;
  std::error_code ignored;  // an uncreatable folder shows up later as a failed write
  std::filesystem::create_directories(folder, ignored);
  return IncludeTrailingPathDelimiter(folder);
}

}  // namespace

TAppFolders ResolveAppFolders(const std::string& executableFolder) {
  if (!executableFolder.empty() && ::access(executableFolder.c_str(), W_OK) == 0) {
    const std::string folder = IncludeTrailingPathDelimiter(executableFolder);
    return {folder, folder};
  }
  return {UserFolder("XDG_CONFIG_HOME", ".config"), UserFolder("XDG_DATA_HOME", ".local/share")};
}

}  // namespace tapestro
