#include "platform/app_folders.h"

#include "base/path.h"

namespace tapestro {

std::string TAppFolders::SettingsFile() const { return Settings + kSettingsFileName; }

TAppFolders ProgramFolders() { return ResolveAppFolders(ExecutableDir()); }

}  // namespace tapestro
