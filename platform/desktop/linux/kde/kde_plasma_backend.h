#pragma once
// KDE Plasma: its shell runs a script over D-Bus that sets the picture of every
// desktop. Plasma keys the wallpaper on its path, so it gets a fresh name each time.
#include <string>

#include "platform/desktop/linux/collecting_backend.h"

namespace tapestro::desktop {

// True when Plasma's shell is on the session bus.
bool PlasmaShellAnswers();

class TKdePlasmaDesktopBackend final : public TCollectingDesktopBackend {
 public:
  // freshNameFolder: where the fresh names of the wallpaper are made.
  explicit TKdePlasmaDesktopBackend(std::string freshNameFolder) : freshNameFolder_(std::move(freshNameFolder)) {}
  std::string Name() const override { return "kde"; }

 protected:
  void Apply(const TWallpaperRequest& request) override;

 private:
  std::string freshNameFolder_;
};

}  // namespace tapestro::desktop
