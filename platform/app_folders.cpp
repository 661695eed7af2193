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

std::string TAppFolders::SettingsFile() const { return Settings + kSettingsFileName; }

std::string XdgBaseFolder(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  if (value && value[0] == '/') return value;
  const char* home = std::getenv("HOME");
  return std::string(home && home[0] ? home : "/") + "/" + fallback;
}

// Portable use is the user's choice, made by putting a Tapestro.ini beside the program;
// an installed program never writes into its own folder, even when it could.
TAppFolders ResolveAppFolders(const std::string& executableFolder) {
  const std::string beside = IncludeTrailingPathDelimiter(executableFolder);
  if (!executableFolder.empty() && FileExists(beside + kSettingsFileName)) return {beside, beside};
  return {UserFolder("XDG_CONFIG_HOME", ".config"), UserFolder("XDG_DATA_HOME", ".local/share")};
}

TAppFolders ProgramFolders() { return ResolveAppFolders(ExecutableDir()); }

}  // namespace tapestro
