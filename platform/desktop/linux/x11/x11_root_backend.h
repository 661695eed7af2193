#pragma once
// Paints the wallpaper onto the X root window, per monitor, for window managers
// without a desktop of their own. The X server forgets it when the session ends.
#include "platform/desktop/linux/wallpaper_request.h"

namespace tapestro::desktop {

class TX11DesktopBackend final : public TCollectingDesktopBackend {
 public:
  std::string Name() const override { return "x11"; }
  bool ForgetsWallpaper() const override { return true; }
  std::unique_ptr<TMonitorWatch> WatchMonitors(std::function<void()> changed) override;

 protected:
  void Apply(const TWallpaperRequest& request) override;
};

}  // namespace tapestro::desktop
