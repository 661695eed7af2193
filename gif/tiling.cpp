#include "gif/tiling.h"

#include <algorithm>

#include "imaging/bitmap.h"

namespace tapestro {

namespace {

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

void TileBitmap(TCanvas& canvas, const TRect& rect, int64_t anchorX, int64_t anchorY, TBitmap& bitmap,
                const TBitmap* mask) {
  const TRect area = Intersection(rect, Rect(0, 0, canvas.Width(), canvas.Height()));
  const int64_t width = bitmap.Width(), height = bitmap.Height();
  if (area.IsEmpty() || width <= 0 || height <= 0) return;
  const HPALETTE palette = bitmap.Palette();
  TStretchRequest request;
  request.Source = bitmap.Pixels();
  if (mask != nullptr) request.Mask = mask->Pixels();
  const int64_t firstX = FirstTileStart(anchorX, area.Left, width);
  const int64_t firstY = FirstTileStart(anchorY, area.Top, height);
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
