#pragma once
// XFCE: the backdrop properties of xfconf, over D-Bus. xfdesktop keys the wallpaper on
// its path, so it gets a fresh name each time.
#include <string>

#include "platform/desktop/linux/collecting_backend.h"

namespace tapestro::desktop {

// True when xfconf is on the session bus or can be started by it.
bool XfconfAnswers();

class TXfceDesktopBackend final : public TCollectingDesktopBackend {
 public:
  // freshNameFolder: where the fresh names of the wallpaper are made.
  explicit TXfceDesktopBackend(std::string freshNameFolder) : freshNameFolder_(std::move(freshNameFolder)) {}
  std::string Name() const override { return "xfce"; }

 protected:
  void Apply(const TWallpaperRequest& request) override;

 private:
  std::string freshNameFolder_;
};

}  // namespace tapestro::desktop
