#pragma once
// The stored placement ("Wallpaperloc") as the desktop wants it: "0" Tile, "1" Center,
// "2" Size to Fit, "3" Fill, "4" Fit, "X,Y" an explicit origin; anything else centres.
#include <string>

#include "core/desktop_wallpaper.h"

namespace tapestro {

struct TPlacementSetting {
  PlacementCode Code = PlacementCode::Center;
  // The origin as written; converted only when the wallpaper is applied.
  std::string XText = "0";
  std::string YText = "0";
};

// Splits at the first comma: the text before it is x, everything after it y.
TPlacementSetting ParsePlacementSetting(const std::string& value);

}  // namespace tapestro
