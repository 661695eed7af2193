#include "platform/desktop/linux/x11/wallpaper_image_loader.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QImageReader>

namespace tapestro::desktop {

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

}  // namespace tapestro::desktop
