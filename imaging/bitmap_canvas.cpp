#include "imaging/bitmap_canvas.h"

namespace tapestro {

// Pixels of 8 or fewer bits take the nearest entry of their own colour table, so no
// palette needs realising here.
TPixelView TBitmapCanvas::BeginChange(const HPALETTE&) {
  bitmap_.Changing();
  return bitmap_.image_->View();
}

void TBitmapCanvas::EndChange() {
  TSoftwareCanvas::EndChange();
  bitmap_.Changed();
}

}  // namespace tapestro
