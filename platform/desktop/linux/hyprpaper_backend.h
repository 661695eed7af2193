#pragma once
// Hyprland with hyprpaper: its IPC socket takes one text command a connection and
// answers "ok" or what went wrong. A change preloads the new picture, shows it on
// every monitor and unloads the one shown before. hyprpaper keys pictures on their
// path, so the file gets a fresh name each time.
#include <string>
#include <vector>

#include "platform/desktop/linux/wallpaper_request.h"

namespace tapestro::desktop {

// Where hyprpaper listens for this Hyprland instance: under $XDG_RUNTIME_DIR/hypr/ (or,
// in older versions, /tmp/hypr/), the folder named by $HYPRLAND_INSTANCE_SIGNATURE.
std::vector<std::string> HyprpaperSocketPaths();
bool HyprpaperAnswers();
// The "wallpaper" command's argument for every monitor: hyprpaper covers the monitor
// unless told "contain:" (fit whole) or "tile:"; centring and an origin fit whole.
std::string HyprpaperWallpaperArgument(const std::string& file, TWallpaperLayout layout);

class THyprpaperDesktopBackend final : public TCollectingDesktopBackend {
 public:
  explicit THyprpaperDesktopBackend(std::string freshNameFolder) : freshNameFolder_(std::move(freshNameFolder)) {}
  std::string Name() const override { return "hyprpaper"; }
  // Set over IPC only: hyprpaper's own configuration comes back at its next start.
  bool ForgetsWallpaper() const override { return true; }

 protected:
  void Apply(const TWallpaperRequest& request) override;

 private:
  std::string freshNameFolder_;
};

}  // namespace tapestro::desktop
