#pragma once
// The settings file's section, keys and fixed values.

namespace tapestro::settings {

inline constexpr char kSection[] = "Settings";
inline constexpr char kMissing[] = "n/a";  // what a missing file, section or key reads as
inline constexpr char kYes[] = "y";        // a flag is on only with exactly this value

inline constexpr char kWallDir[] = "walldir";
inline constexpr char kCycle[] = "cycle";
inline constexpr char kRandom[] = "random";
inline constexpr char kAutoSizeBox[] = "ckAutosize";
// Save/Start writes the same key in this letter case; keys match without regard to case.
inline constexpr char kAutoSizeAtStart[] = "ckAutoSize";
inline constexpr char kWallpaperLoc[] = "Wallpaperloc";
inline constexpr char kMinStartup[] = "minstartup";
// The user's own command that sets the wallpaper, for desktops the program cannot drive.
inline constexpr char kWallpaperCommand[] = "WallpaperCommand";
// The file the desktop was given last (a converted picture's temporary file, as
// converted) and its placement as "Wallpaperloc" holds it, set again at start on
// desktops that forget the wallpaper when the session ends.
inline constexpr char kLastWallpaper[] = "LastWallpaper";
inline constexpr char kLastWallpaperLoc[] = "LastWallpaperloc";

}  // namespace tapestro::settings
