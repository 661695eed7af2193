#pragma once
// TDIBWriter: builds a bitmap from rows written in place into a device-independent
// bitmap, which is then handed to the bitmap as an in-memory BMP file.
#include <cstdint>
#include <optional>

#include "gif/bmp_in_memory.h"
#include "imaging/color.h"
#include "imaging/pixel_format.h"

namespace tapestro {

class TBitmap;

class TDIBWriter {
 public:
  // Colour tables of 8-bit bitmaps have this many entries, whatever the palette holds.
  static constexpr size_t kColorTableEntries = 256;

  // GIFException "Unsupported PixelFormat" for formats other than pf8bit and pf24bit,
  // "Invalid image dimensions" when width or height is not above 0. At 8 bits the
  // colour table holds the palette's entries followed by zero entries; colours
  // important is the palette's entry count.
  TDIBWriter(TBitmap& target, TPixelFormat format, int32_t width, int32_t height, HPALETTE palette);

  // Row (0 = top) to write; the pixel storage is made on the first call. Raises
  // EInvalidGraphicOperation "Scan line index out of range" outside the height and
  // GIFException "Image has no DIB" once the rows were committed.
  uint8_t* RowPointer(int32_t row);
  // Loads what was written into the target bitmap and frees the storage. Without any
  // row written nothing happens. Dropped uncommitted, the writer leaves the target alone.
  void CommitToBitmap();

 private:
  TBitmap& target_;
  int bitsPerPixel_;
  int32_t width_;
  int32_t height_;
  HPALETTE palette_;
  std::optional<TBmpInMemory> dib_;
  bool committed_ = false;
};

}  // namespace tapestro
