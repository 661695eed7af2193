// TGIFSubImage::PlaceRect and PaintFrame: one frame drawn into a rectangle that shows
// the whole logical screen.
#include <algorithm>
#include <cstdint>

#include "gif/gif_image.h"
#include "gif/sub_image.h"

namespace tapestro {

namespace {

// value x numerator / denominator, rounded half away from zero; denominator above 0.
int32_t ScaleRounded(int64_t value, int64_t numerator, int64_t denominator) {
  const int64_t product = value * numerator;
  const int64_t half = denominator / 2;
  return static_cast<int32_t>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

TRect Intersection(const TRect& a, const TRect& b) {
  return Rect(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
              std::min(a.Bottom, b.Bottom));
}

// The first tile start at or before from on the grid through anchor with this step.
int64_t FirstTileStart(int64_t anchor, int64_t from, int64_t step) {
  if (anchor <= from) return anchor + (from - anchor) / step * step;
  return anchor - (anchor - from + step - 1) / step * step;
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
    TileFrame(canvas, rect, *bitmap, mask);
  } else if (mask != nullptr) {
    canvas.MaskedStretchDraw(PlaceRect(rect), *bitmap, *mask);
  } else {
    canvas.StretchDraw(PlaceRect(rect), *bitmap);
  }
}

// Copies at natural size on a grid anchored at the image's own offset, clipped to rect
// and to the canvas, so the work is bounded by the pixels that can change.
void TGIFSubImage::TileFrame(TCanvas& canvas, const TRect& rect, TBitmap& bitmap, const TBitmap* mask) {
  const TRect area = Intersection(rect, Rect(0, 0, canvas.Width(), canvas.Height()));
  if (area.IsEmpty()) return;
  const int64_t width = bitmap.Width(), height = bitmap.Height();
  const HPALETTE palette = bitmap.Palette();
  TStretchRequest request;
  request.Source = bitmap.Pixels();
  if (mask != nullptr) request.Mask = mask->Pixels();
  const int64_t firstX = FirstTileStart(int64_t{rect.Left} + Left(), area.Left, width);
  const int64_t firstY = FirstTileStart(int64_t{rect.Top} + Top(), area.Top, height);
  for (int64_t y = firstY; y < area.Bottom; y += height) {
    for (int64_t x = firstX; x < area.Right; x += width) {
      const auto tileX = static_cast<int32_t>(x), tileY = static_cast<int32_t>(y);
      request.Dest =
          Intersection(Rect(tileX, tileY, static_cast<int32_t>(x + width), static_cast<int32_t>(y + height)), area);
      request.SourceArea = Rect(request.Dest.Left - tileX, request.Dest.Top - tileY, request.Dest.Right - tileX,
                                request.Dest.Bottom - tileY);
      canvas.Stretch(request, palette);
    }
  }
}

}  // namespace tapestro
