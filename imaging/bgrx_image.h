#pragma once
// A bitmap's pixels as a plain 32-bit image, whatever its pixel format: what a desktop
// back end hands to the screen.
#include <cstdint>
#include <vector>

namespace tapestro {

class TBitmap;

struct TBgrxImage {
  int32_t Width = 0;
  int32_t Height = 0;
  // Top row first, 4 bytes a pixel: blue, green, red, 0xFF; rows Width x 4 bytes apart.
  std::vector<uint8_t> Bytes;
};

// EOutOfResources "Out of system resources" past the pixel limit.
TBgrxImage ToBgrxImage(TBitmap& bitmap);

}  // namespace tapestro
