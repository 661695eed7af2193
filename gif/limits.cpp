#include "gif/limits.h"

#include "gif/errors.h"

namespace tapestro {

uint64_t PixelCount(uint32_t width, uint32_t height) { return static_cast<uint64_t>(width) * height; }

uint64_t CheckedPixelCount(uint32_t width, uint32_t height, uint64_t maxPixels) {
  const uint64_t pixels = PixelCount(width, height);
  if (pixels > maxPixels) throw GIFLimitException(msg::kGifTooLarge);
  return pixels;
}

uint64_t TPixelBudget::Claim(uint32_t width, uint32_t height) {
  const uint64_t pixels = CheckedPixelCount(width, height, limits_.MaxImagePixels);
  if (pixels > limits_.MaxTotalPixels - claimed_) throw GIFLimitException(msg::kGifTooLarge);
  claimed_ += pixels;
  return pixels;
}

}  // namespace tapestro
