#include "gif/transparency_mask.h"

#include <array>

#include "imaging/bitmap.h"

namespace tapestro {

namespace {
// Black for the pixels drawn, white for the transparent ones.
constexpr std::array<TRGBQuad, 2> kMaskColors = {TRGBQuad{0, 0, 0, 0}, TRGBQuad{255, 255, 255, 0}};
}  // namespace

TTransparencyMaskRows::TTransparencyMaskRows(int32_t width, int32_t height)
    : rows_(width, height, 1, kMaskColors, 0), width_(width) {}

void TTransparencyMaskRows::MarkRow(int32_t y, const uint8_t* indices, uint8_t transparentIndex) {
  uint8_t* row = Row(y);
  bool marked = false;
  for (int32_t x = 0; x < width_; ++x) {
    if (indices[x] != transparentIndex) continue;
    row[x >> 3] |= static_cast<uint8_t>(0x80u >> (x & 7));
    marked = true;
  }
  any_ = any_ || marked;
}

std::unique_ptr<TBitmap> TTransparencyMaskRows::ToBitmap() const {
  auto bitmap = std::make_unique<TBitmap>();
  rows_.LoadInto(*bitmap);
  return bitmap;
}

}  // namespace tapestro
