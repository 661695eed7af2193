#pragma once
// The picture of the X11 root window: the wallpaper file read and laid out on an image
// of the root's size, per monitor, as a desktop would show it.
#include <QImage>
#include <string>
#include <vector>

#include "platform/desktop/linux/wallpaper_request.h"

namespace tapestro::desktop {

// Pixels of more than this many megabytes are refused before they are allocated.
inline constexpr int kMaxPictureMegabytes = 256;
// The desktop's background colour, shown where the picture does not reach.
inline constexpr QRgb kDesktopBackground = 0xff000000;

// The one place the X11 back end reads a picture file. A null image when the file
// cannot be read, is damaged or is over the limit; the format is told by the content.
QImage LoadWallpaperImage(const std::string& path);

// A monitor's part of the root window.
struct TMonitorArea {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
};

// A width x height image in QImage::Format_RGB32. Tiling runs from the root's top left
// corner across every monitor; each other layout is made within each monitor: centred,
// stretched, filled (cropped) and fitted (with bars) to it, or with the picture's top
// left corner at the origin from the monitor's top left corner. Parts the picture does
// not cover and transparent pixels show the background colour. No monitors counts as
// one of the root's size. A null image when the memory cannot be had.
QImage ComposeRootImage(const QImage& picture, int width, int height, const std::vector<TMonitorArea>& monitors,
                        const TWallpaperRequest& request);

}  // namespace tapestro::desktop
