#pragma once
// Where the program keeps its files. The executable's folder when a Tapestro.ini already
// sits there (portable use, and every test); otherwise the per-user folders: on Linux
// those of the desktop's base-directory rules, $XDG_CONFIG_HOME/tapestro/ (default
// ~/.config/tapestro/) for the settings file and $XDG_DATA_HOME/tapestro/ (default
// ~/.local/share/tapestro/) for the temporary wallpaper files, which the desktop keeps
// pointing at; on Windows %LOCALAPPDATA%\Tapestro\ for both. An installed program
// never writes beside itself, even where it could.
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

// The per-user folders, made when missing (platform/linux/, platform/windows/).
TAppFolders PerUserFolders();

// Linux: the base folder the desktop's rules keep in variable ("XDG_CONFIG_HOME") when
// it holds an absolute path (anything else is ignored, as the rules say), else
// $HOME/fallback. No trailing separator.
std::string XdgBaseFolder(const char* variable, const char* fallback);

}  // namespace tapestro
