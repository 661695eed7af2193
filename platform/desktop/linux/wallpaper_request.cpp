#include "platform/desktop/linux/wallpaper_request.h"

#include <charconv>
#include <optional>

#include "platform/desktop/desktop_messages.h"

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

std::string LayoutWord(const TWallpaperRequest& request) {
  switch (request.Layout) {
    case TWallpaperLayout::Tile: return "tile";
    case TWallpaperLayout::Stretch: return "stretch";
    case TWallpaperLayout::Fill: return "fill";
    case TWallpaperLayout::Fit: return "fit";
    case TWallpaperLayout::Origin: return std::to_string(request.OriginX) + "," + std::to_string(request.OriginY);
    case TWallpaperLayout::Center: break;
  }
  return "center";
}

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
  const std::optional<int32_t> number = ParseSignedDecimal(value);
  if (!number) return false;
  if (name == kWallpaperStyleValue) {
    if (*number != kStyleOwnSize && *number != kStyleStretch && *number != kStyleFit && *number != kStyleFill)
      return false;
    style_ = *number;
    return true;
  }
  if (name == kWallpaperOriginXValue) {
    originX_ = *number;
    return true;
  }
  if (name == kWallpaperOriginYValue) {
    originY_ = *number;
    return true;
  }
  return false;
}

TWallpaperRequest TWallpaperValues::Request() const {
  TWallpaperRequest request{file_, TWallpaperLayout::Center, 0, 0};
  if (tile_) {
    request.Layout = TWallpaperLayout::Tile;
  } else if (style_ == kStyleStretch) {
    request.Layout = TWallpaperLayout::Stretch;
  } else if (style_ == kStyleFill) {
    request.Layout = TWallpaperLayout::Fill;
  } else if (style_ == kStyleFit) {
    request.Layout = TWallpaperLayout::Fit;
  } else if (originX_ != 0 || originY_ != 0) {
    request.Layout = TWallpaperLayout::Origin;
    request.OriginX = originX_;
    request.OriginY = originY_;
  }
  return request;
}

bool TCollectingDesktopBackend::OpenStore() {
  values_.Clear();
  return true;
}

TStoreResult TCollectingDesktopBackend::SetStringValue(const std::string& name, const std::string& value) {
  return values_.Set(name, value) ? TStoreResult::Stored : TStoreResult::Refused;
}

void TCollectingDesktopBackend::Reload() {
  const TWallpaperRequest request = values_.Request();
  if (request.File.empty()) ThrowReloadError(msg::kNoWallpaperFile);
  Apply(request);
}

}  // namespace tapestro::desktop
