#pragma once
// The one place where width, height and bits per pixel are multiplied. Every pixel
// buffer is sized here, so no row or image size can overflow.
#include <cstddef>
#include <cstdint>

namespace tapestro {

// A bitmap holds at most this many pixels (for example 16384 x 16384): at most 1 GiB
// of pixel memory at 32 bits per pixel. Larger pictures are refused before any pixel
// memory is taken.
inline constexpr int64_t kMaxPixels = int64_t{1} << 28;
inline constexpr int kMaxBitsPerPixel = 32;

enum class TSizeCheck {
  Ok,
  Invalid,    // negative size or a bit count outside 1..32
  OverLimit,  // a sound size, but more than kMaxPixels
};

struct TPixelSize {
  TSizeCheck Check = TSizeCheck::Invalid;
  size_t RowBytes = 0;    // one row, padded to a 4-byte boundary
  size_t ImageBytes = 0;  // RowBytes x height
};

TPixelSize PixelSize(int64_t width, int64_t height, int bitsPerPixel);

}  // namespace tapestro
