#include "imaging/jpeg/jpeg_cmyk.h"

namespace tapestro {

namespace {

// a x b / 255, rounded: a full channel times full white is the channel.
constexpr uint8_t Scale255(unsigned a, unsigned b) {
  const unsigned product = a * b + 128;
  return static_cast<uint8_t>((product + (product >> 8)) >> 8);
}

}  // namespace

void CmykToBgr(const uint8_t* cmyk, uint8_t* bgr, size_t pixels, bool inverted) {
  const unsigned flip = inverted ? 0 : 255;
  for (size_t i = 0; i < pixels; ++i, cmyk += 4, bgr += 3) {
    // Each value becomes the amount of light the ink lets through.
    const unsigned white = cmyk[3] ^ flip;
    bgr[0] = Scale255(cmyk[2] ^ flip, white);
    bgr[1] = Scale255(cmyk[1] ^ flip, white);
    bgr[2] = Scale255(cmyk[0] ^ flip, white);
  }
}

}  // namespace tapestro
