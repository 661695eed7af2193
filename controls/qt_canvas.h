#pragma once
// A canvas on a screen image: pictures draw into a 32-bit QImage through the software
// canvas, and the control then paints that image.
#include <QColor>
#include <QImage>
#include <QSize>

#include "imaging/canvas.h"

namespace tapestro {

class TQtCanvas {
 public:
  // An image of that size filled with background, drawn on as a screen of that depth.
  TQtCanvas(QSize size, QColor background, int bitsPerPixel = DisplayBitsPerPixel());
  TQtCanvas(const TQtCanvas&) = delete;
  TQtCanvas& operator=(const TQtCanvas&) = delete;

  TCanvas& Canvas() { return canvas_; }
  const QImage& Image() const { return image_; }

 private:
  QImage image_;  // 0xFFRRGGBB words: blue, green, red, 0xFF bytes in memory
  TSurfaceCanvas canvas_;
};

}  // namespace tapestro
