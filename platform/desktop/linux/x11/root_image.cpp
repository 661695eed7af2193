#include "platform/desktop/linux/x11/root_image.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tapestro::desktop {

namespace {

constexpr int kBytesPerPixel = 4;

struct TClip {
  int64_t Left, Top, Right, Bottom;  // right and bottom exclusive
};

// The picture as opaque RGB32, its transparent parts shown over the background.
QImage OpaquePicture(const QImage& picture) {
  if (!picture.hasAlphaChannel()) return picture.convertToFormat(QImage::Format_RGB32);
  QImage opaque(picture.size(), QImage::Format_RGB32);
  if (opaque.isNull()) return opaque;
  opaque.fill(kDesktopBackground);
  QPainter painter(&opaque);
  painter.drawImage(0, 0, picture);
  return opaque;
}

// Copies the part of source that falls inside clip when its top left corner is at
// (left, top). 64-bit arithmetic: an origin far outside the screen copies nothing.
void PlaceInto(const QImage& source, QImage& target, int64_t left, int64_t top, const TClip& clip) {
  const int64_t x0 = std::max(clip.Left, left);
  const int64_t y0 = std::max(clip.Top, top);
  const int64_t x1 = std::min(clip.Right, left + source.width());
  const int64_t y1 = std::min(clip.Bottom, top + source.height());
  if (x0 >= x1 || y0 >= y1) return;
  const size_t rowBytes = static_cast<size_t>(x1 - x0) * kBytesPerPixel;
  for (int64_t y = y0; y < y1; ++y) {
    const uchar* from = source.constScanLine(static_cast<int>(y - top)) + (x0 - left) * kBytesPerPixel;
    std::memcpy(target.scanLine(static_cast<int>(y)) + x0 * kBytesPerPixel, from, rowBytes);
  }
}

// Each target row repeats one source row: copy it once, then keep doubling what is
// already there.
void TileInto(const QImage& source, QImage& target) {
  const size_t rowBytes = static_cast<size_t>(target.width()) * kBytesPerPixel;
  const size_t sourceBytes = static_cast<size_t>(source.width()) * kBytesPerPixel;
  for (int y = 0; y < target.height(); ++y) {
    uchar* row = target.scanLine(y);
    size_t filled = std::min(sourceBytes, rowBytes);
    std::memcpy(row, source.constScanLine(y % source.height()), filled);
    while (filled < rowBytes) {
      const size_t chunk = std::min(filled, rowBytes - filled);
      std::memcpy(row + filled, row, chunk);
      filled += chunk;
    }
  }
}

// The picture at the size it takes on a monitor of size: its own, or scaled.
QImage SizedFor(const QImage& picture, const QSize& size, TWallpaperLayout layout) {
  switch (layout) {
    case TWallpaperLayout::Stretch: return picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    case TWallpaperLayout::Fill: return picture.scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    case TWallpaperLayout::Fit: return picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    case TWallpaperLayout::Tile:
    case TWallpaperLayout::Center:
    case TWallpaperLayout::Origin: break;
  }
  return picture;
}

// Lays the picture out within one monitor; false when the memory cannot be had.
bool ComposeMonitor(const QImage& picture, QImage& screen, const TMonitorArea& monitor,
                    const TWallpaperRequest& request) {
  const TClip clip{std::max(0, monitor.X), std::max(0, monitor.Y),
                   std::min<int64_t>(screen.width(), int64_t{monitor.X} + monitor.Width),
                   std::min<int64_t>(screen.height(), int64_t{monitor.Y} + monitor.Height)};
  if (clip.Left >= clip.Right || clip.Top >= clip.Bottom) return true;
  QImage sized = SizedFor(picture, QSize(monitor.Width, monitor.Height), request.Layout);
  if (sized.isNull()) return false;
  sized.convertTo(QImage::Format_RGB32);
  if (request.Layout == TWallpaperLayout::Origin) {
    PlaceInto(sized, screen, int64_t{monitor.X} + request.OriginX, int64_t{monitor.Y} + request.OriginY, clip);
  } else {
    // Truncating division, as other root setters centre.
    PlaceInto(sized, screen, monitor.X + (int64_t{monitor.Width} - sized.width()) / 2,
              monitor.Y + (int64_t{monitor.Height} - sized.height()) / 2, clip);
  }
  return true;
}

}  // namespace

QImage LoadWallpaperImage(const std::string& path) {
  // Opened by the name's own bytes: a name that is not valid UTF-8 would not survive
  // the trip through the toolkit's text.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return QImage();
  QFile file;
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return QImage();
  }
  QImageReader reader(&file);
  reader.setAllocationLimit(kMaxPictureMegabytes);
  // A file whose name says BMP but holds a PNG still shows, as on the desktops that
  // read the file themselves.
  reader.setDecideFormatFromContent(true);
  QImage image;
  if (!reader.read(&image)) return QImage();
  return image;
}

QImage ComposeRootImage(const QImage& picture, int width, int height, const std::vector<TMonitorArea>& monitors,
                        const TWallpaperRequest& request) {
  const QImage opaque = OpaquePicture(picture);
  if (opaque.isNull()) return QImage();
  const std::vector<TMonitorArea> areas = monitors.empty() ? std::vector{TMonitorArea{0, 0, width, height}} : monitors;
  // A picture of the root's size on a single monitor shows as it is: no copy.
  const bool asItIs = areas.size() == 1 && areas[0].X == 0 && areas[0].Y == 0 && areas[0].Width == width &&
                      areas[0].Height == height && opaque.size() == QSize(width, height) &&
                      request.Layout != TWallpaperLayout::Origin;
  if (asItIs || (request.Layout == TWallpaperLayout::Tile && opaque.size() == QSize(width, height))) return opaque;
  QImage screen(width, height, QImage::Format_RGB32);
  if (screen.isNull()) return screen;
  if (request.Layout == TWallpaperLayout::Tile) {
    TileInto(opaque, screen);
    return screen;
  }
  screen.fill(kDesktopBackground);
  for (const TMonitorArea& monitor : areas)
    if (!ComposeMonitor(opaque, screen, monitor, request)) return QImage();
  return screen;
}

}  // namespace tapestro::desktop
