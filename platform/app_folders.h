#pragma once
// Where the program keeps its files. The executable's folder when it is writable
// (portable use, and every test); otherwise the per-user folders of the desktop's
// base-directory rules: $XDG_CONFIG_HOME/tapestro/ (default ~/.config/tapestro/) for the
// settings file and $XDG_DATA_HOME/tapestro/ (default ~/.local/share/tapestro/) for the
// temporary wallpaper files. On Windows the executable's folder when a Tapestro.ini
// already sits there (portable use), otherwise %LOCALAPPDATA%\Tapestro\ for both.
#include <string>

namespace tapestro {

struct TAppFolders {
  std::string Settings;  // with trailing separator
  std::string Data;      // with trailing separator

  std::string SettingsFile() const;  // Settings + "Tapestro.ini"
};

inline constexpr char kSettingsFileName[] = "Tapestro.ini";

// The folders for an executable living in executableFolder, creating the per-user
// ones when they are missing. The environment is read for the per-user case only.
TAppFolders ResolveAppFolders(const std::string& executableFolder);

// The folders of the running program.
TAppFolders ProgramFolders();

}  // namespace tapestro
