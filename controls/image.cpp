#include "controls/image.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <new>

#include "base/errors.h"
#include "imaging/canvas.h"
#include "imaging/picture.h"

namespace tapestro {

namespace {

// A canvas on a screen image: pictures draw into a 32-bit QImage through the software
// canvas, and the control then paints that image.
class TQtCanvas {
 public:
  // An image of that size filled with background, drawn on as a screen of that depth.
  TQtCanvas(QSize size, QColor background, int bitsPerPixel = DisplayBitsPerPixel())
      : image_(FilledImage(size, background)),
        canvas_(image_.bits(), image_.width(), image_.height(), image_.bytesPerLine(), bitsPerPixel) {}
  TQtCanvas(const TQtCanvas&) = delete;
  TQtCanvas& operator=(const TQtCanvas&) = delete;

  TCanvas& Canvas() { return canvas_; }
  const QImage& Image() const { return image_; }

 private:
  static QImage FilledImage(QSize size, QColor background) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    return image;
  }

  QImage image_;  // 0xFFRRGGBB words: blue, green, red, 0xFF bytes in memory
  TSurfaceCanvas canvas_;
};

}  // namespace

TImage::TImage(QWidget* parent) : QWidget(parent) {
  picture_.OnChange = [this](TPicture&) { PictureChanged(); };
}

void TImage::SetStretch(bool stretch) {
  if (stretch == stretch_) return;
  stretch_ = stretch;
  PictureChanged();
}

TRect TImage::DestRect() const {
  if (stretch_) return Rect(0, 0, width(), height());
  return Rect(0, 0, picture_.Width(), picture_.Height());
}

void TImage::PictureChanged() {
  TGraphic* graphic = picture_.Graphic();
  if (graphic != nullptr) {
    // The preview is never transparent; metafiles and icons keep their own setting.
    if (dynamic_cast<TUnreadableGraphic*>(graphic) == nullptr) graphic->SetTransparent(false);
    // Qt shows true colours: no palette needs realising, so the request is settled.
    graphic->PaletteModified = false;
  }
  const TRect dest = DestRect();
  const bool covers = dest.Left <= 0 && dest.Top <= 0 && dest.Right >= width() && dest.Bottom >= height();
  setAttribute(Qt::WA_OpaquePaintEvent, graphic != nullptr && !graphic->Transparent() && covers);
  if (!painting_) update();
}

void TImage::paintEvent(QPaintEvent*) {
  TGraphic* graphic = picture_.Graphic();
  if (graphic == nullptr) return;  // the panel's background shows
  painting_ = true;
  const TRect dest = DestRect();
  TQtCanvas canvas(size(), palette().color(backgroundRole()));
  QString failure;
  try {
    graphic->Draw(canvas.Canvas(), dest);
  } catch (const Exception& e) {
    failure = QString::fromStdString(e.Message());
  } catch (const std::bad_alloc&) {
    failure = QString::fromLatin1(msg::kOutOfMemory);
  }
  const QRect area = rect().intersected(QRect(dest.Left, dest.Top, dest.Width(), dest.Height()));
  QPainter(this).drawImage(area, canvas.Image(), area);
  painting_ = false;
  if (!failure.isEmpty()) emit PaintFailed(failure);
}

}  // namespace tapestro
