#include "imaging/pixel_ops.h"

#include <algorithm>
#include <cstring>

namespace tapestro {

void FillPixels(const TPixelView& target, const TRect& rect, TColor color) {
  const int32_t left = std::max(rect.Left, 0);
  const int32_t top = std::max(rect.Top, 0);
  const int32_t right = std::min(rect.Right, target.Width());
  const int32_t bottom = std::min(rect.Bottom, target.Height());
  if (target.IsEmpty() || left >= right || top >= bottom) return;
  uint8_t* first = target.Row(top);
  for (int32_t x = left; x < right; ++x) target.Set(first, x, color);
  const int bits = target.BitsPerPixel();
  for (int32_t y = top + 1; y < bottom; ++y) {
    uint8_t* row = target.Row(y);
    if (bits >= 8) {
      const size_t from = static_cast<size_t>(left) * bits / 8;
      std::memcpy(row + from, first + from, static_cast<size_t>(right - left) * bits / 8);
    } else {
      for (int32_t x = left; x < right; ++x) target.Set(row, x, color);
    }
  }
}

void CopyPixels(const TPixelView& source, const TPixelView& target, int32_t width, int32_t height) {
  if (source.IsEmpty() || target.IsEmpty() || width <= 0 || height <= 0) return;
  const int bits = target.BitsPerPixel();
  const bool bytewise = source.SameLayout(target) && (static_cast<int64_t>(width) * bits) % 8 == 0;
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* from = source.Row(y);
    uint8_t* to = target.Row(y);
    if (bytewise) {
      std::memcpy(to, from, static_cast<size_t>(width) * bits / 8);
      continue;
    }
    for (int32_t x = 0; x < width; ++x) target.Set(to, x, source.Get(from, x));
  }
}

}  // namespace tapestro
