#pragma once
// The one place the X11 back end reads a picture file, so that a reader of our own can
// take over for BMP files without touching the painting.
#include <QImage>
#include <string>

namespace tapestro::desktop {

// Pixels of more than this many megabytes are refused before they are allocated.
inline constexpr int kMaxPictureMegabytes = 256;

// A null image when the file cannot be read, is damaged or is over the limit.
QImage LoadWallpaperImage(const std::string& path);

}  // namespace tapestro::desktop
