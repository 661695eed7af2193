#pragma once
// The error classes and fixed texts of the desktop settings and their reload.
#include <string>

#include "base/errors.h"
#include "base/text.h"

namespace tapestro {

// The desktop settings store could not be opened or did not take a value.
class EDesktopSettingsError : public Exception {
 public:
  using Exception::Exception;
};

// The desktop did not take up the wallpaper values.
class EDesktopReloadError : public Exception {
 public:
  using Exception::Exception;
};

namespace msg {

inline constexpr char kCreateKeyFailed[] = "Failed to create key %s";
inline constexpr char kSetDataFailed[] = "Failed to set data for '%s'";
inline constexpr char kReloadFailed[] = "The desktop did not take the wallpaper: %s";

// Reasons filled into kReloadFailed.
inline constexpr char kNoWallpaperFile[] = "no wallpaper file was given";
// The session's desktop (its name, or a description of the session) has no back end,
// or the one it names does not answer.
inline constexpr char kNoBackendFor[] =
    "Tapestro cannot set the wallpaper of %s%s; set WallpaperCommand in the [Settings] section of "
    "Tapestro.ini to a command that does, with %%f for the file and %%m for the placement";
inline constexpr char kDoesNotAnswer[] = " (%s)";
inline constexpr char kNoDisplay[] = "cannot open the X display";
inline constexpr char kUnsupportedVisual[] = "the screen's colour format is not supported (depth %d)";
inline constexpr char kXRequestFailed[] = "the X server refused the picture (error %d)";
inline constexpr char kCannotReadPicture[] = "cannot read the picture %s";
inline constexpr char kCannotMakeFreshName[] = "cannot make a fresh name for %s (%s)";
inline constexpr char kNameNotStorable[] = "the desktop settings cannot hold the name %s";
inline constexpr char kGioMissing[] = "GSettings is not available: GIO's library cannot be loaded";
inline constexpr char kSchemaMissing[] = "the settings schema %s or its key %s is not installed";
inline constexpr char kSettingsNotWritable[] = "the settings %s could not be written";
inline constexpr char kDBusFailed[] = "%s did not answer: %s";
inline constexpr char kNoBackdrops[] = "the desktop lists no backdrop to set";
inline constexpr char kSystemRefused[] = "the system refused the wallpaper (error %d)";
inline constexpr char kSwayRefused[] = "sway refused the wallpaper: %s";
inline constexpr char kSwayUnreachable[] = "sway's socket %s does not answer (%s)";
inline constexpr char kHyprpaperRefused[] = "hyprpaper refused \"%s\": %s";
inline constexpr char kHyprpaperUnreachable[] = "hyprpaper's socket does not answer (%s)";
inline constexpr char kNoRuntimeFolder[] = "XDG_RUNTIME_DIR is not set";
inline constexpr char kEmptyCommand[] = "WallpaperCommand names no program";
inline constexpr char kUnclosedQuote[] = "WallpaperCommand has an unclosed quote";

}  // namespace msg

[[noreturn]] inline void ThrowReloadError(const std::string& reason) {
  throw EDesktopReloadError(Format(msg::kReloadFailed, reason));
}

}  // namespace tapestro
