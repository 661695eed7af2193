#include "platform/desktop/linux/x11/wallpaper_image_loader.h"

#include <QFile>
#include <QImageReader>

namespace tapestro::desktop {

QImage LoadWallpaperImage(const std::string& path) {
  QImageReader reader(QFile::decodeName(path.c_str()));
  reader.setAllocationLimit(kMaxPictureMegabytes);
  // A file whose name says BMP but holds a PNG still shows, as on the desktops that
  // read the file themselves.
  reader.setDecideFormatFromContent(true);
  QImage image;
  if (!reader.read(&image)) return QImage();
  return image;
}

}  // namespace tapestro::desktop
