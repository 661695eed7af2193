#pragma once
// The picture of the X11 root window: the wallpaper file read and laid out on an image
// of the root's size, per monitor, as a desktop would show it.
#include <QImage>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop/linux/wallpaper_request.h"

namespace tapestro {
class TBitmap;
}

namespace tapestro::desktop {

// Pixels of more than this many megabytes are refused before they are allocated.
inline constexpr int kMaxPictureMegabytes = 256;
// The desktop's background colour, shown where the picture does not reach.
inline constexpr QRgb kDesktopBackground = 0xff000000;

// A wallpaper as the layouts read it: the parts a monitor shows, or the whole picture
// scaled for it, each as opaque QImage::Format_RGB32 (transparent pixels show the
// background colour). A picture read whole is made opaque RGB32 once. A BMP file
// larger than the root stays a decoded bitmap in its own pixel format instead, and only
// what the monitors show becomes 32-bit: a 6000 x 4000 wallpaper takes its 69 MiB of
// 24-bit pixels, not 92 MiB more of RGB32 on top.
class TWallpaperPicture {
 public:
  TWallpaperPicture() = default;
  // Read whole; implicit, so a QImage stands wherever a picture is asked for.
  TWallpaperPicture(const QImage& picture);  // NOLINT(google-explicit-constructor)
  explicit TWallpaperPicture(std::shared_ptr<const TBitmap> bitmap);
  ~TWallpaperPicture();
  TWallpaperPicture(const TWallpaperPicture&);
  TWallpaperPicture& operator=(const TWallpaperPicture&);

  // No picture: the file could not be read or the memory could not be had.
  bool IsNull() const;
  QSize Size() const;
  // The pixels of area, which lies inside the picture. The whole picture read whole
  // comes without a copy. Null when the memory cannot be had.
  QImage Part(const QRect& area) const;
  // The whole picture scaled to size: smoothly, or a bitmap's by averaging up to 4 x 4
  // of the pixels each one covers, so that no 32-bit copy of its own size is made.
  // Null when the memory cannot be had.
  QImage Scaled(const QSize& size) const;

 private:
  QImage opaque_;
  std::shared_ptr<const TBitmap> bitmap_;
};

// The one place the X11 back end reads a picture file, for a root window of rootSize.
// A null picture when the file cannot be read, is damaged or is over the limit; the
// format is told by the content.
TWallpaperPicture LoadWallpaperImage(const std::string& path, const QSize& rootSize);

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
QImage ComposeRootImage(const TWallpaperPicture& picture, int width, int height,
                        const std::vector<TMonitorArea>& monitors, const TWallpaperRequest& request);

}  // namespace tapestro::desktop
