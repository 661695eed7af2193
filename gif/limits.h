#pragma once
// How much pixel memory one GIF read may take. A 13-byte header can announce a
// 65535 x 65535 screen (4 GiB of indices), so sizes are checked before anything is
// allocated. docs/gif.md explains the figures.
#include <cstdint>

namespace tapestro {

// One logical screen or one image: 16384 x 16384 indices, 256 MiB.
inline constexpr uint64_t kMaxImagePixels = uint64_t{1} << 28;
// All images of one file together: two images of the largest size.
inline constexpr uint64_t kMaxTotalPixels = uint64_t{1} << 29;
// The largest logical screen that is animated (4096 x 4096): an animation takes up to
// four true-colour buffers of the screen's size, 48 MiB each at this size. Larger
// animations are shown as their first image.
inline constexpr uint64_t kMaxAnimatedScreenPixels = uint64_t{1} << 24;

struct TGIFLimits {
  uint64_t MaxImagePixels = kMaxImagePixels;
  uint64_t MaxTotalPixels = kMaxTotalPixels;
  uint64_t MaxAnimatedScreenPixels = kMaxAnimatedScreenPixels;
};

// The one place that multiplies a width by a height; 32-bit factors cannot overflow it.
uint64_t PixelCount(uint32_t width, uint32_t height);
// The pixel count of a buffer of that size, or GIFLimitException when it passes maxPixels.
uint64_t CheckedPixelCount(uint32_t width, uint32_t height, uint64_t maxPixels);

// Counts the pixel buffers taken during one read against the limits.
class TPixelBudget {
 public:
  explicit TPixelBudget(const TGIFLimits& limits) : limits_(limits) {}
  // The byte size of a width x height buffer, charged to the budget, or
  // GIFLimitException (nothing charged) when the image or the total passes its limit.
  uint64_t Claim(uint32_t width, uint32_t height);

 private:
  TGIFLimits limits_;
  uint64_t claimed_ = 0;
};

}  // namespace tapestro
