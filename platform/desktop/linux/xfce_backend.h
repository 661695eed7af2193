#pragma once
// XFCE: the backdrop properties of xfconf, over D-Bus. XFCE keeps one backdrop per
// screen, monitor and workspace in the channel "xfce4-desktop"; monitor names are
// connector names that differ between machines, so the backdrops are found among the
// properties that exist, never built from guesses. xfdesktop keys the wallpaper on its
// path, so it gets a fresh name each time.
#include <string>
#include <vector>

#include "platform/desktop/linux/wallpaper_request.h"

namespace tapestro::desktop {

inline constexpr char kXfceDesktopChannel[] = "xfce4-desktop";
inline constexpr char kXfceBackdropRoot[] = "/backdrop";

// True when xfconf is on the session bus or can be started by it.
bool XfconfAnswers();

// XFCE's image styles: centred 1, tiled 2, stretched 3, scaled (fit) 4, zoomed (fill)
// 5. An origin centres.
int XfceImageStyle(TWallpaperLayout layout);
// The backdrop prefixes ("/backdrop/screenS/monitorM/workspaceW") of every
// "<prefix>/last-image" among the property names, in their order.
std::vector<std::string> XfceBackdrops(const std::vector<std::string>& propertyNames);

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
