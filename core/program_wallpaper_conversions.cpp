#include "core/program_wallpaper_conversions.h"

#include "core/wallpaper_conversion.h"

namespace tapestro {

TWallpaperConversions ProgramWallpaperConversions() { return {ConvertJpegWallpaper, ConvertGifWallpaper}; }

}  // namespace tapestro
