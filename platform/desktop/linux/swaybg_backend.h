#pragma once
// Wayland compositors built on wlroots (river, labwc, wayfire, Hyprland without
// hyprpaper, ...): a swaybg process per change draws the wallpaper on every output. It
// is started detached, so it outlives the program and the tool; the one it replaces
// is ended only once the new one runs, so the desktop never shows bare. Its process id
// is kept in $XDG_RUNTIME_DIR, where the program and the tool both find it.
#include <string>
#include <vector>

#include "platform/desktop/linux/wallpaper_request.h"

namespace tapestro::desktop {

inline constexpr char kSwaybgProgram[] = "swaybg";
inline constexpr char kSwaybgPidFile[] = "tapestro-swaybg.pid";
inline constexpr char kSwaybgErrorLog[] = "tapestro-swaybg.log";
// A swaybg that fails (no compositor, an unreadable file) ends within this time.
inline constexpr int kSwaybgSettleMs = 300;

// swaybg takes the same mode words as sway's own background (SwayMode).
std::vector<std::string> SwaybgArguments(const std::string& file, TWallpaperLayout layout);

class TSwaybgDesktopBackend final : public TCollectingDesktopBackend {
 public:
  std::string Name() const override { return "swaybg"; }
  bool ForgetsWallpaper() const override { return true; }

 protected:
  void Apply(const TWallpaperRequest& request) override;
};

}  // namespace tapestro::desktop
