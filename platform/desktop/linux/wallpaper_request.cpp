#include "platform/desktop/linux/wallpaper_request.h"

#include <charconv>
#include <optional>

#include "platform/desktop/desktop_backend.h"

namespace tapestro::desktop {

namespace {

std::optional<int32_t> ParseSignedDecimal(const std::string& text) {
  int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

}  // namespace

bool TWallpaperValues::Set(const std::string& name, const std::string& value) {
  if (name == kWallpaperValue) {
    file_ = value;
    return true;
  }
  if (name == kTileWallpaperValue) {
    if (value != "0" && value != "1") return false;
    tile_ = value == "1";
    return true;
  }
  if (name == kWallpaperStyleValue) {
    if (value != "0" && value != "2") return false;
    stretch_ = value == "2";
    return true;
  }
  if (name != kWallpaperOriginXValue && name != kWallpaperOriginYValue) return false;
  const std::optional<int32_t> origin = ParseSignedDecimal(value);
  if (!origin) return false;
  (name == kWallpaperOriginXValue ? originX_ : originY_) = *origin;
  return true;
}

TWallpaperRequest TWallpaperValues::Request() const {
  TWallpaperRequest request{file_, TWallpaperLayout::Center, 0, 0};
  if (tile_) {
    request.Layout = TWallpaperLayout::Tile;
  } else if (stretch_) {
    request.Layout = TWallpaperLayout::Stretch;
  } else if (originX_ != 0 || originY_ != 0) {
    request.Layout = TWallpaperLayout::Origin;
    request.OriginX = originX_;
    request.OriginY = originY_;
  }
  return request;
}

}  // namespace tapestro::desktop
