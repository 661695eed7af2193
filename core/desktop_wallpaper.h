#pragma once
// The last step of every wallpaper change: the file and its placement go into the
// desktop's settings, then the desktop is asked to take them up.
#include <cstdint>
#include <string>

#include "platform/desktop/desktop_backend.h"

namespace tapestro {

enum class PlacementCode : int32_t {
  Tile = 0,
  Center = 1,
  SizeToFit = 2,
  Fill = 3,            // scaled to cover each monitor, the aspect kept, the overhang cropped
  Fit = 4,             // scaled to show whole on each monitor, the aspect kept, bars beside
  ExplicitOrigin = 5,  // the only code for which the origin counts; stored as "X,Y"
};

// Writes "Wallpaper", "TileWallpaper", "WallpaperStyle", "WallpaperOriginX" and
// "WallpaperOriginY" in this order, then requests the reload. A bare file name is made
// absolute against the current folder first, since the desktop has another one.
// EDesktopSettingsError "Failed to create key " when the store cannot be opened and
// "Failed to set data for '<value>'" when it refuses a value; nothing after that is
// written and no reload is requested. EDesktopReloadError when the desktop does not
// take the values.
void SetDesktopWallpaper(desktop::TDesktopBackend& desktop, const std::string& file, PlacementCode placement,
                         int32_t originX, int32_t originY);

}  // namespace tapestro
