#pragma once
// The script KDE Plasma's shell runs to change the wallpaper of every desktop.
#include <string>
#include <string_view>

#include "platform/desktop/linux/wallpaper_request.h"

namespace tapestro::desktop {

// Plasma's image wallpaper fill modes: stretch 0, tile 3, centre 6. An origin has no
// equivalent there and centres.
int PlasmaFillMode(TWallpaperLayout layout);
// A file:// URL with every byte other than letters, digits, "-._~/" percent-encoded, so
// that any file name, whatever its bytes, is safe inside the script's string quotes.
std::string FileUrl(std::string_view absolutePath);
std::string PlasmaWallpaperScript(std::string_view absolutePath, TWallpaperLayout layout);

}  // namespace tapestro::desktop
