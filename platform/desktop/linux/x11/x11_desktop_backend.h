#pragma once
// Paints the wallpaper onto the X root window, for window managers without a desktop
// of their own.
#include "platform/desktop/linux/collecting_backend.h"

namespace tapestro::desktop {

class TX11DesktopBackend final : public TCollectingDesktopBackend {
 public:
  std::string Name() const override { return "x11"; }

 protected:
  void Apply(const TWallpaperRequest& request) override;
};

}  // namespace tapestro::desktop
