#include "tests/gif/bitmap_probe.h"

#include "base/stream.h"

namespace tapestro::test {

uint32_t RawAt(const TBitmap& bitmap, int32_t x, int32_t y) {
  const TPixelView view = bitmap.Pixels();
  return view.Raw(view.Row(y), x);
}

std::vector<uint8_t> RawPixels(const TBitmap& bitmap) {
  std::vector<uint8_t> values;
  for (int32_t y = 0; y < bitmap.Height(); ++y)
    for (int32_t x = 0; x < bitmap.Width(); ++x) values.push_back(static_cast<uint8_t>(RawAt(bitmap, x, y)));
  return values;
}

TGIFColor ColorAt(const TBitmap& bitmap, int32_t x, int32_t y) {
  const TRGBQuad quad = bitmap.ColorTable()[RawAt(bitmap, x, y)];
  return {quad.Red, quad.Green, quad.Blue};
}

TRGBQuad Quad(const TGIFColor& color) { return {color.Blue, color.Green, color.Red, 0}; }

std::vector<uint8_t> SavedBytes(TBitmap& bitmap) {
  TMemoryStream stream;
  bitmap.SaveToStream(stream);
  return stream.Bytes();
}

uint32_t U32At(const std::vector<uint8_t>& bytes, size_t offset) {
  return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) | (uint32_t{bytes[offset + 3]} << 24);
}

}  // namespace tapestro::test
