#include "core/wallpaper_placement.h"

namespace tapestro {

TPlacementSetting ParsePlacementSetting(const std::string& value) {
  const size_t comma = value.find(',');
  if (comma != std::string::npos)
    return {PlacementCode::ExplicitOrigin, value.substr(0, comma), value.substr(comma + 1)};
  if (value == "0") return {PlacementCode::Tile};
  if (value == "2") return {PlacementCode::SizeToFit};
  if (value == "3") return {PlacementCode::Fill};
  if (value == "4") return {PlacementCode::Fit};
  return {PlacementCode::Center};
}

}  // namespace tapestro
