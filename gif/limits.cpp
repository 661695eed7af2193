#include "gif/limits.h"

#include "gif/errors.h"

namespace tapestro {

uint64_t CheckedPixelCount(uint32_t width, uint32_t height, uint64_t maxPixels) {
  // Both factors fit in 32 bits, so the 64-bit product cannot overflow.
  const uint64_t pixels = static_cast<uint64_t>(width) * height;
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
