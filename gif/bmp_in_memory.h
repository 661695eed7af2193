#pragma once
// A BMP file laid out in one zero-filled block of memory, its rows written in place,
// which a bitmap then loads with its own reader. Frame bitmaps and transparency masks
// are made this way, so they are exactly what reading a BMP file gives.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

#include "imaging/color.h"

namespace tapestro {

class TBitmap;

class TBmpInMemory {
 public:
  // width x height pixels (both above 0) of 1, 8 or 24 bits, stored bottom row first
  // behind a 40-byte info header and the colour table (biClrUsed is the table's size).
  // EOutOfMemory "Failed to allocate memory for GIF DIB" when the size passes the
  // bitmap's pixel limit or the memory is refused.
  TBmpInMemory(int32_t width, int32_t height, int bitsPerPixel, std::span<const TRGBQuad> colorTable,
               uint32_t colorsImportant);

  // Row y, counted from the top; RowBytes() long, the padding included.
  uint8_t* Row(int32_t y) const { return pixels_ + rowBytes_ * static_cast<size_t>(height_ - 1 - y); }
  size_t RowBytes() const { return rowBytes_; }
  // The bitmap reads the file as it would read it from disk; its errors pass on.
  void LoadInto(TBitmap& bitmap) const;

 private:
  struct Free {
    void operator()(uint8_t* memory) const noexcept { std::free(memory); }
  };
  std::unique_ptr<uint8_t, Free> file_;
  size_t fileSize_ = 0;
  uint8_t* pixels_ = nullptr;
  size_t rowBytes_ = 0;
  int32_t height_ = 0;
};

}  // namespace tapestro
