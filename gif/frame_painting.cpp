// TGIFSubImage::PlaceRect and PaintFrame: one frame drawn into a rectangle that shows
// the whole logical screen.
#include <algorithm>
#include <cstdint>

#include "gif/gif_image.h"
#include "gif/sub_image.h"
#include "gif/tiling.h"

namespace tapestro {

namespace {

// value x numerator / denominator, rounded half away from zero; denominator above 0.
int32_t ScaleRounded(int64_t value, int64_t numerator, int64_t denominator) {
  const int64_t product = value * numerator;
  const int64_t half = denominator / 2;
  return static_cast<int32_t>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

TRect TGIFSubImage::PlaceRect(const TRect& rect) const {
  // A screen of no area (a header of zero size) is taken as just large enough for the image.
  const int64_t screenWidth = Image().Width() > 0 ? Image().Width() : Left() + Width();
  const int64_t screenHeight = Image().Height() > 0 ? Image().Height() : Top() + Height();
  const int32_t left = rect.Left + ScaleRounded(Left(), rect.Width(), std::max<int64_t>(screenWidth, 1));
  const int32_t top = rect.Top + ScaleRounded(Top(), rect.Height(), std::max<int64_t>(screenHeight, 1));
  const int32_t right = rect.Left + ScaleRounded(Left() + Width(), rect.Width(), std::max<int64_t>(screenWidth, 1));
  const int32_t bottom = rect.Top + ScaleRounded(Top() + Height(), rect.Height(), std::max<int64_t>(screenHeight, 1));
  return Rect(left, top, right, bottom);
}

void TGIFSubImage::PaintFrame(TCanvas& canvas, const TRect& rect, bool tile, bool transparent) {
  // The mask first: asking for it may rebuild the bitmap.
  const TBitmap* mask = transparent && transparent_ ? TransparencyMask() : nullptr;
  TBitmap* bitmap = FrameBitmap();
  if (bitmap == nullptr) return;
  if (tile) {
    TileBitmap(canvas, rect, int64_t{rect.Left} + Left(), int64_t{rect.Top} + Top(), *bitmap, mask);
  } else if (mask != nullptr) {
    canvas.MaskedStretchDraw(PlaceRect(rect), *bitmap, *mask);
  } else {
    canvas.StretchDraw(PlaceRect(rect), *bitmap);
  }
}

}  // namespace tapestro
