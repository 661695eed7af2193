#include "imaging/canvas.h"

#include "imaging/bitmap.h"

namespace tapestro {

void TCanvas::StretchDraw(const TRect& rect, TGraphic& graphic) { graphic.Draw(*this, rect); }

void TCanvas::MaskedStretchDraw(const TRect& rect, TBitmap& bitmap, const TBitmap& mask) {
  bitmap.DrawMasked(*this, rect, mask);
}

}  // namespace tapestro
