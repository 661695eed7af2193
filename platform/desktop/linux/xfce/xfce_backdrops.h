#pragma once
// XFCE keeps one backdrop per screen, monitor and workspace in the xfconf channel
// "xfce4-desktop". Monitor names are connector names that differ between machines, so
// the backdrops are found among the properties that exist, never built from guesses.
#include <string>
#include <vector>

#include "platform/desktop/linux/wallpaper_request.h"

namespace tapestro::desktop {

inline constexpr char kXfceDesktopChannel[] = "xfce4-desktop";
inline constexpr char kXfceBackdropRoot[] = "/backdrop";

// XFCE's image styles: tiled 1, centred 2, stretched 3. An origin centres.
int XfceImageStyle(TWallpaperLayout layout);
// The backdrop prefixes ("/backdrop/screenS/monitorM/workspaceW") of every
// "<prefix>/last-image" among the property names, in their order.
std::vector<std::string> XfceBackdrops(const std::vector<std::string>& propertyNames);

}  // namespace tapestro::desktop
