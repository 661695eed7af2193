#pragma once
// The last wallpaper comes back at login. Some desktops forget the wallpaper when the
// session ends (the X11 root window, swaybg, sway's and hyprpaper's IPC); after every
// change the file the desktop was given and its placement are kept in the settings,
// and at start the program sets them again on those desktops, before its window or
// icon appears. Desktops that keep the wallpaper are left alone. The rotation's timing
// does not change.
#include <memory>
#include <optional>
#include <string>

#include "core/desktop_wallpaper.h"
#include "core/settings.h"
#include "platform/app_folders.h"
#include "platform/desktop/desktop_factory.h"

namespace tapestro {

// Where the desktop back end makes fresh names, and the user's own command if any.
desktop::TDesktopSetup DesktopSetupOf(TSettings& settings, const TAppFolders& folders);

// Keeps the file the desktop took (made absolute) and the placement as stored.
void RememberWallpaper(TSettings& settings, const std::string& file, const std::string& placement);

struct TKeptWallpaper {
  std::string File;
  TPlacementSetting Placement;
};
// The wallpaper kept by the last change; none when no change was kept.
std::optional<TKeptWallpaper> KeptWallpaper(TSettings& settings);
// Sets it on desktop. EConvertError for an origin that is no whole number, and the
// desktop's own errors, pass through.
void SetKeptWallpaper(desktop::TDesktopBackend& desktop, const TKeptWallpaper& kept);

enum class TRestoreOutcome { NothingKept, DesktopKeepsIt, Restored };

struct TStartUpDesktop {
  // The session's desktop back end; null when no wallpaper was kept (it is then chosen
  // at the first change, which spares the start-up asking the desktops).
  std::unique_ptr<desktop::TDesktopBackend> Desktop;
  std::string Error;  // why the kept wallpaper could not be set again
};
// At program start, before the window and the icon: the kept wallpaper set again on a
// desktop that forgets it.
TStartUpDesktop RestoreAtStart(const TAppFolders& folders);

// Sets the remembered wallpaper again when the desktop forgets it, or always with
// evenWhereKept. The desktop's errors (EDesktopSettingsError, EDesktopReloadError) and
// EConvertError for an origin that is no whole number pass through.
TRestoreOutcome RestoreLastWallpaper(TSettings& settings, desktop::TDesktopBackend& desktop,
                                     bool evenWhereKept = false);

}  // namespace tapestro
