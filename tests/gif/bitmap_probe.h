#pragma once
// Reading back what a frame bitmap holds: indices, mask bits, colours, saved bytes.
#include <cstdint>
#include <vector>

#include "gif/reader.h"
#include "imaging/bitmap.h"

namespace tapestro::test {

// The raw value (colour index, mask bit) at x, y (0, 0 = top left).
uint32_t RawAt(const TBitmap& bitmap, int32_t x, int32_t y);
// Every raw value, rows top to bottom.
std::vector<uint8_t> RawPixels(const TBitmap& bitmap);
// The colour-table entry of the pixel at x, y.
TGIFColor ColorAt(const TBitmap& bitmap, int32_t x, int32_t y);
TRGBQuad Quad(const TGIFColor& color);

std::vector<uint8_t> SavedBytes(TBitmap& bitmap);
uint32_t U32At(const std::vector<uint8_t>& bytes, size_t offset);

}  // namespace tapestro::test
