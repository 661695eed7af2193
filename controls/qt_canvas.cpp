#include "controls/qt_canvas.h"

namespace tapestro {

namespace {
QImage FilledImage(QSize size, QColor background) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(background);
  return image;
}
}  // namespace

TQtCanvas::TQtCanvas(QSize size, QColor background, int bitsPerPixel)
    : image_(FilledImage(size, background)),
      canvas_(image_.bits(), image_.width(), image_.height(), image_.bytesPerLine(), bitsPerPixel) {}

}  // namespace tapestro
