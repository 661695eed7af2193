#include "imaging/pixel_size.h"

namespace tapestro {

TPixelSize PixelSize(int64_t width, int64_t height, int bitsPerPixel) {
  if (width < 0 || height < 0 || bitsPerPixel < 1 || bitsPerPixel > kMaxBitsPerPixel) return {};
  if (width > kMaxPixels || height > kMaxPixels || (width != 0 && height > kMaxPixels / width))
    return {TSizeCheck::OverLimit, 0, 0};
  // width <= 2^28 and bits <= 32, so the products below stay far inside 64 bits.
  const int64_t rowBytes = ((width * bitsPerPixel + 31) & ~int64_t{31}) / 8;
  return {TSizeCheck::Ok, static_cast<size_t>(rowBytes), static_cast<size_t>(rowBytes * height)};
}

}  // namespace tapestro
