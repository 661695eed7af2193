#include "core/program_wallpaper_conversions.h"

#include "core/wallpaper_conversion.h"

namespace tapestro {

namespace {

// INTEGRATION: a stand-in until ConvertGifWallpaper (core/wallpaper_conversion.h) is
// built; it behaves as the conversion does for a file it cannot read.
constexpr char kGifPreviewFailed[] = "Error loading GIF Image #efwp1...";

TConversionOutcome GifStandIn(const std::string&, TConversionContext& context) {
  context.Beep();
  context.ShowMessage(kGifPreviewFailed);
  return {true, ""};
}

}  // namespace

TWallpaperConversions ProgramWallpaperConversions() { return {ConvertJpegWallpaper, GifStandIn}; }

}  // namespace tapestro
