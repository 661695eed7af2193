#include "platform/app_folders.h"

#include <cstdlib>
#include <filesystem>

#include "base/path.h"

namespace tapestro {

namespace {

constexpr char kProgramFolder[] = "tapestro";

std::string UserFolder(const char* variable, const char* fallback) {
  const std::string folder = IncludeTrailingPathDelimiter(XdgBaseFolder(variable, fallback)) + kProgramFolder;
  std::error_code ignored;  // an uncreatable folder shows up later as a failed write
  std::filesystem::create_directories(folder, ignored);
  return IncludeTrailingPathDelimiter(folder);
}

}  // namespace

std::string XdgBaseFolder(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  if (value && value[0] == '/') return value;
  const char* home = std::getenv("HOME");
  return std::string(home && home[0] ? home : "/") + "/" + fallback;
}

TAppFolders PerUserFolders() {
  return {UserFolder("XDG_CONFIG_HOME", ".config"), UserFolder("XDG_DATA_HOME", ".local/share")};
}

}  // namespace tapestro
