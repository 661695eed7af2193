#pragma once
// Hand-made BMP files for the tests: every field is named, so a test says which bytes
// it cares about and takes the rest from sound defaults.
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/bitmap.h"
#include "imaging/color.h"

namespace tapestro::test {

struct TBmpFile {
  uint16_t Signature = 0x4D42;
  uint32_t OffBits = 0;  // 0: right after the colour table, as it should be
  uint32_t HeaderSize = 40;
  int32_t Width = 1;
  int32_t Height = 1;
  uint16_t Planes = 1;
  uint16_t BitCount = 24;
  uint32_t Compression = 0;
  uint32_t SizeImage = 0;
  int32_t XPelsPerMeter = 0;
  int32_t YPelsPerMeter = 0;
  uint32_t ClrUsed = 0;
  uint32_t ClrImportant = 0;
  std::vector<uint32_t> Masks;  // written after the header (or inside a longer one)
  std::vector<TRGBQuad> Colors;  // 3 bytes each for the 12-byte OS/2 header
  std::vector<uint8_t> Pixels;

  std::vector<uint8_t> Bytes() const;
};

// Little-endian fields of a written file.
uint32_t U32At(const std::vector<uint8_t>& bytes, size_t offset);
uint16_t U16At(const std::vector<uint8_t>& bytes, size_t offset);

std::vector<uint8_t> SaveToBytes(TBitmap& bitmap);
void LoadFromBytes(TBitmap& bitmap, const std::vector<uint8_t>& bytes);

// The pixel at x, y (0, 0 = top left) as a colour, whatever the format.
TColor PixelAt(const TBitmap& bitmap, int32_t x, int32_t y);

}  // namespace tapestro::test
