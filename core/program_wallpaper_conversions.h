#pragma once
// The JPEG and GIF conversions the program and the tool run: the one place where they
// are wired into wallpaper preparation.
#include "core/wallpaper_preparation.h"

namespace tapestro {

TWallpaperConversions ProgramWallpaperConversions();

}  // namespace tapestro
