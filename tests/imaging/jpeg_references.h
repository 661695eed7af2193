#pragma once
// What the JPEG tests compare with: the library's own command-line decoder (djpeg, from
// the library's tools), reference pictures in PPM files, and pixel differences.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imaging/bitmap.h"
#include "imaging/jpeg/jpeg_image.h"

namespace tapestro::test {

bool HaveDjpeg();
// The BMP file djpeg makes of the JPEG file with these options (say "-dct float").
std::vector<uint8_t> DjpegBmp(const std::vector<uint8_t>& jpeg, const std::string& options);

std::unique_ptr<TBitmap> BitmapOfBmp(const std::vector<uint8_t>& bmp);
// A JPEG image loaded from bytes, not yet decoded.
std::unique_ptr<TJPEGImage> JpegOf(const std::vector<uint8_t>& file);

struct TPpm {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Rgb;  // top row first
};
TPpm ReadPpm(const std::string& path);

// The largest difference of one colour channel between two pictures of the same size
// and of 24 bits per pixel; -1 when sizes or formats differ.
int MaxChannelDifference(const TBitmap& a, const TBitmap& b);
int MaxChannelDifference(const TBitmap& bitmap, const TPpm& ppm);
// Whether two 8-bit pictures show the same colour in every pixel. The indices may
// differ: a colour map's order follows the order of the colour components.
bool SameIndexedColors(const TBitmap& a, const TBitmap& b);
// The number of different pixel values of an 8-bit picture.
size_t DistinctIndices(const TBitmap& bitmap);

}  // namespace tapestro::test
