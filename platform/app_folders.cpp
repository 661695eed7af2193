#include "platform/app_folders.h"

#include "base/path.h"

namespace tapestro {

std::string TAppFolders::SettingsFile() const { return Settings + kSettingsFileName; }

// Portable use is the user's choice, made by putting a Tapestro.ini beside the program.
TAppFolders ResolveAppFolders(const std::string& executableFolder) {
  const std::string beside = IncludeTrailingPathDelimiter(executableFolder);
  if (!executableFolder.empty() && FileExists(beside + kSettingsFileName)) return {beside, beside};
  return PerUserFolders();
}

TAppFolders ProgramFolders() { return ResolveAppFolders(ExecutableDir()); }

}  // namespace tapestro
