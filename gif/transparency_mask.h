#pragma once
// The transparent pixels of a frame collected into a 1-bit mask: a set bit (the most
// significant bit of each byte first) marks a pixel that drawing leaves alone.
#include <cstdint>
#include <memory>

#include "gif/bmp_in_memory.h"

namespace tapestro {

class TBitmap;

class TTransparencyMaskRows {
 public:
  // Zero-filled rows for a width x height frame (both above 0).
  TTransparencyMaskRows(int32_t width, int32_t height);

  void Mark(int32_t y, int32_t x) {
    Row(y)[x >> 3] |= static_cast<uint8_t>(0x80u >> (x & 7));
    any_ = true;
  }
  // Marks every pixel of row y whose colour index is transparentIndex.
  void MarkRow(int32_t y, const uint8_t* indices, uint8_t transparentIndex);
  bool Any() const { return any_; }
  // The monochrome bitmap of the rows (1 plane, 1 bit per pixel).
  std::unique_ptr<TBitmap> ToBitmap() const;

 private:
  uint8_t* Row(int32_t y) const { return rows_.Row(y); }

  TBmpInMemory rows_;
  int32_t width_;
  bool any_ = false;
};

}  // namespace tapestro
