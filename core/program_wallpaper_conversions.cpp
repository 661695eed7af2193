#include "core/program_wallpaper_conversions.h"

namespace tapestro {

namespace {

// INTEGRATION: stand-ins until ConvertJpegWallpaper and ConvertGifWallpaper
// (core/wallpaper_conversion.h) are built. Each behaves as its conversion does for a
// file it cannot read. Replace the body of ProgramWallpaperConversions with
//   return {ConvertJpegWallpaper, ConvertGifWallpaper};
// and delete this namespace.
constexpr char kJpegLoadFailed[] = "Error loading non-GIF resource (myjpeg):";
constexpr char kGifPreviewFailed[] = "Error loading GIF Image #efwp1...";
constexpr int kJpegLoadPause = 500;

TConversionOutcome JpegStandIn(const std::string& source, TConversionContext& context) {
  context.Beep();
  context.ShowMessage(kJpegLoadFailed + source);
  context.Pause(kJpegLoadPause);
  return {false, ""};
}

TConversionOutcome GifStandIn(const std::string&, TConversionContext& context) {
  context.Beep();
  context.ShowMessage(kGifPreviewFailed);
  return {true, ""};
}

}  // namespace

TWallpaperConversions ProgramWallpaperConversions() { return {JpegStandIn, GifStandIn}; }

}  // namespace tapestro
