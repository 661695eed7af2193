#include "platform/desktop/linux/x11/root_image_composer.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace tapestro::desktop {

namespace {

constexpr int kBytesPerPixel = 4;

// The picture as opaque RGB32, its transparent parts shown over black.
QImage OpaquePicture(const QImage& picture) {
  if (!picture.hasAlphaChannel()) return picture.convertToFormat(QImage::Format_RGB32);
  QImage opaque(picture.size(), QImage::Format_RGB32);
  if (opaque.isNull()) return opaque;
  opaque.fill(Qt::black);
  QPainter painter(&opaque);
  painter.drawImage(0, 0, picture);
  return opaque;
}

// Copies the part of source that falls inside target when its top left corner is at
// (left, top). 64-bit arithmetic: an origin far outside the screen copies nothing.
void PlaceInto(const QImage& source, QImage& target, int64_t left, int64_t top) {
  const int64_t x0 = std::max<int64_t>(0, left);
  const int64_t y0 = std::max<int64_t>(0, top);
  const int64_t x1 = std::min<int64_t>(target.width(), left + source.width());
  const int64_t y1 = std::min<int64_t>(target.height(), top + source.height());
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

}  // namespace

QImage ComposeRootImage(const QImage& picture, int width, int height, const TWallpaperRequest& request) {
  const QImage opaque = OpaquePicture(picture);
  if (opaque.isNull()) return QImage();
  if (request.Layout == TWallpaperLayout::Stretch) {
    return opaque.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
  }
  // A picture of the screen's size shows as it is when tiled or centred: no copy.
  const bool screenSized = opaque.width() == width && opaque.height() == height;
  if (screenSized && (request.Layout == TWallpaperLayout::Center || request.Layout == TWallpaperLayout::Tile))
    return opaque;
  QImage screen(width, height, QImage::Format_RGB32);
  if (screen.isNull()) return screen;
  if (request.Layout == TWallpaperLayout::Tile) {
    TileInto(opaque, screen);
    return screen;
  }
  screen.fill(Qt::black);
  if (request.Layout == TWallpaperLayout::Origin) {
    PlaceInto(opaque, screen, request.OriginX, request.OriginY);
  } else {
    // Truncating division, as other root setters centre.
    PlaceInto(opaque, screen, (int64_t{width} - opaque.width()) / 2, (int64_t{height} - opaque.height()) / 2);
  }
  return screen;
}

}  // namespace tapestro::desktop
