#pragma once
// KDE Plasma: its shell runs a script over D-Bus that sets the picture of every
// desktop. Plasma keys the wallpaper on its path, so it gets a fresh name each time.
#include <string>
#include <string_view>

#include "platform/desktop/linux/wallpaper_request.h"

namespace tapestro::desktop {

// True when Plasma's shell is on the session bus.
bool PlasmaShellAnswers();

// Plasma's image wallpaper fill modes: stretch 0, fit 1, fill (crop) 2, tile 3,
// centre 6. An origin has no equivalent there and centres.
int PlasmaFillMode(TWallpaperLayout layout);
// A file:// URL with every byte other than letters, digits, "-._~/" percent-encoded, so
// that any file name, whatever its bytes, is safe inside the script's string quotes.
std::string FileUrl(std::string_view absolutePath);
std::string PlasmaWallpaperScript(std::string_view absolutePath, TWallpaperLayout layout);

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
