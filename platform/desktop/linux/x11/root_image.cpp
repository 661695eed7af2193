#include "platform/desktop/linux/x11/root_image.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>

#include "imaging/bitmap.h"
#include "imaging/pixel_view.h"
#include "imaging/pixel_ops.h"

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

// The size the picture takes on a monitor: its own, or scaled.
QSize SizeOn(const QSize& picture, const QSize& monitor, TWallpaperLayout layout) {
  switch (layout) {
    case TWallpaperLayout::Stretch: return monitor;
    case TWallpaperLayout::Fill: return picture.scaled(monitor, Qt::KeepAspectRatioByExpanding);
    case TWallpaperLayout::Fit: return picture.scaled(monitor, Qt::KeepAspectRatio);
    case TWallpaperLayout::Tile:
    case TWallpaperLayout::Center:
    case TWallpaperLayout::Origin: break;
  }
  return picture;
}

bool IsScaled(TWallpaperLayout layout) {
  return layout == TWallpaperLayout::Stretch || layout == TWallpaperLayout::Fill || layout == TWallpaperLayout::Fit;
}

// Lays the picture out within one monitor; false when the memory cannot be had.
bool ComposeMonitor(const TWallpaperPicture& picture, QImage& screen, const TMonitorArea& monitor,
                    const TWallpaperRequest& request) {
  const TClip clip{std::max(0, monitor.X), std::max(0, monitor.Y),
                   std::min<int64_t>(screen.width(), int64_t{monitor.X} + monitor.Width),
                   std::min<int64_t>(screen.height(), int64_t{monitor.Y} + monitor.Height)};
  if (clip.Left >= clip.Right || clip.Top >= clip.Bottom) return true;
  const QSize size = SizeOn(picture.Size(), QSize(monitor.Width, monitor.Height), request.Layout);
  int64_t left = int64_t{monitor.X} + request.OriginX;
  int64_t top = int64_t{monitor.Y} + request.OriginY;
  if (request.Layout != TWallpaperLayout::Origin) {
    // Truncating division, as other root setters centre.
    left = monitor.X + (int64_t{monitor.Width} - size.width()) / 2;
    top = monitor.Y + (int64_t{monitor.Height} - size.height()) / 2;
  }
  if (IsScaled(request.Layout)) {
    const QImage sized = picture.Scaled(size);
    if (sized.isNull()) return false;
    PlaceInto(sized, screen, left, top, clip);
    return true;
  }
  // Only the part of the picture that shows on the monitor.
  const int64_t x0 = std::max<int64_t>(0, clip.Left - left);
  const int64_t y0 = std::max<int64_t>(0, clip.Top - top);
  const int64_t x1 = std::min<int64_t>(size.width(), clip.Right - left);
  const int64_t y1 = std::min<int64_t>(size.height(), clip.Bottom - top);
  if (x0 >= x1 || y0 >= y1) return true;
  const QImage part = picture.Part(
      QRect(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0), static_cast<int>(y1 - y0)));
  if (part.isNull()) return false;
  PlaceInto(part, screen, left + x0, top + y0, clip);
  return true;
}

// The bitmap's pixels of source as an RGB32 image of size: copied when the sizes
// match, else averaged.
QImage FromBitmap(const TBitmap& bitmap, const QRect& source, const QSize& size) {
  QImage image(size, QImage::Format_RGB32);
  if (image.isNull()) return image;
  TStretchRequest request;
  request.Dest = Rect(0, 0, size.width(), size.height());
  request.Source = bitmap.Pixels();
  request.SourceArea =
      Rect(source.left(), source.top(), source.left() + source.width(), source.top() + source.height());
  request.Mode = size == source.size() ? TStretchMode::ColorOnColor : TStretchMode::Halftone;
  StretchPixels(TPixelView::OfSurface(image.bits(), size.width(), size.height(), image.bytesPerLine()), request);
  return image;
}

// A BMP file that the toolkit would read as opaque pixels, with more of them than the
// root has.
bool IsLargeOpaqueBmp(QImageReader& reader, const QSize& rootSize) {
  if (reader.format() != "bmp") return false;
  const QSize size = reader.size();
  if (int64_t{size.width()} * size.height() <= int64_t{rootSize.width()} * rootSize.height()) return false;
  return QImage::toPixelFormat(reader.imageFormat()).alphaUsage() == QPixelFormat::IgnoresAlpha;
}

// Null when our reader refuses the file; the toolkit's then has its go.
std::shared_ptr<const TBitmap> ReadBitmap(const std::string& path) {
  try {
    auto bitmap = std::make_shared<TBitmap>();
    bitmap->LoadFromFile(path);
    if (bitmap->Pixels().IsEmpty()) return nullptr;
    return bitmap;
  } catch (const std::exception&) {
    return nullptr;
  }
}

}  // namespace

TWallpaperPicture::TWallpaperPicture(const QImage& picture) : opaque_(OpaquePicture(picture)) {}
TWallpaperPicture::TWallpaperPicture(std::shared_ptr<const TBitmap> bitmap) : bitmap_(std::move(bitmap)) {}
TWallpaperPicture::~TWallpaperPicture() = default;
TWallpaperPicture::TWallpaperPicture(const TWallpaperPicture&) = default;
TWallpaperPicture& TWallpaperPicture::operator=(const TWallpaperPicture&) = default;

bool TWallpaperPicture::IsNull() const { return !bitmap_ && opaque_.isNull(); }

QSize TWallpaperPicture::Size() const { return bitmap_ ? QSize(bitmap_->Width(), bitmap_->Height()) : opaque_.size(); }

QImage TWallpaperPicture::Part(const QRect& area) const {
  if (bitmap_) return FromBitmap(*bitmap_, area, area.size());
  return area == opaque_.rect() ? opaque_ : opaque_.copy(area);
}

QImage TWallpaperPicture::Scaled(const QSize& size) const {
  if (bitmap_) return FromBitmap(*bitmap_, QRect(QPoint(), Size()), size);
  return opaque_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

TWallpaperPicture LoadWallpaperImage(const std::string& path, const QSize& rootSize) {
  // Opened by the name's own bytes: a name that is not valid UTF-8 would not survive
  // the trip through the toolkit's text.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {};
  QFile file;
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return {};
  }
  QImageReader reader(&file);
  reader.setAllocationLimit(kMaxPictureMegabytes);
  // A file whose name says BMP but holds a PNG still shows, as on the desktops that
  // read the file themselves.
  reader.setDecideFormatFromContent(true);
  if (IsLargeOpaqueBmp(reader, rootSize))
    if (std::shared_ptr<const TBitmap> bitmap = ReadBitmap(path)) return TWallpaperPicture(std::move(bitmap));
  QImage image;
  if (!reader.read(&image)) return {};
  return image;
}

QImage ComposeRootImage(const TWallpaperPicture& picture, int width, int height,
                        const std::vector<TMonitorArea>& monitors, const TWallpaperRequest& request) {
  if (picture.IsNull()) return QImage();
  const std::vector<TMonitorArea> areas = monitors.empty() ? std::vector{TMonitorArea{0, 0, width, height}} : monitors;
  const QSize rootSize(width, height);
  const QRect whole(QPoint(), picture.Size());
  // A picture of the root's size on a single monitor shows as it is: no copy.
  const bool asItIs = areas.size() == 1 && areas[0].X == 0 && areas[0].Y == 0 && areas[0].Width == width &&
                      areas[0].Height == height && whole.size() == rootSize &&
                      request.Layout != TWallpaperLayout::Origin;
  if (asItIs || (request.Layout == TWallpaperLayout::Tile && whole.size() == rootSize)) return picture.Part(whole);
  QImage screen(width, height, QImage::Format_RGB32);
  if (screen.isNull()) return screen;
  if (request.Layout == TWallpaperLayout::Tile) {
    // Tiles start at the top left corner: the rest of a picture larger than the root
    // never shows.
    const QImage tile = picture.Part(whole.intersected(QRect(QPoint(), rootSize)));
    if (tile.isNull()) return tile;
    TileInto(tile, screen);
    return screen;
  }
  screen.fill(kDesktopBackground);
  for (const TMonitorArea& monitor : areas)
    if (!ComposeMonitor(picture, screen, monitor, request)) return QImage();
  return screen;
}

}  // namespace tapestro::desktop
