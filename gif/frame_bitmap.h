#pragma once
// How a frame's colour indices become an 8-bit bitmap: the rows are written into a BMP
// file laid out in one block of memory, which the bitmap then loads with its own
// reader, so a frame bitmap is exactly what reading a BMP file gives. The transparent
// pixels are collected into a 1-bit mask the same way. Plain builds copy the indices;
// dithered builds map their colours onto the colour cube (gif/dither.h).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <span>

#include "imaging/color.h"
#include "imaging/pixel_format.h"

namespace tapestro {

class TBitmap;
class TGIFColorMap;

// A BMP file in one zero-filled block of memory, its rows written in place.
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

// TDIBWriter: builds a bitmap from rows written in place into a device-independent
// bitmap, which is then handed to the bitmap as an in-memory BMP file.
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

// The transparent pixels of a frame collected into a 1-bit mask: a set bit (the most
// significant bit of each byte first) marks a pixel that drawing leaves alone.
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

// The colour indices of one frame and how to build its bitmap.
struct TFrameIndices {
  std::span<const uint8_t> Pixels;  // Width x Height indices, rows top to bottom
  int32_t Width = 0;
  int32_t Height = 0;
  // Whether the pixels of TransparentIndex are collected into a mask.
  bool MakeMask = false;
  uint8_t TransparentIndex = 0;
  // Called before each row is built (progress reports).
  std::function<void(int32_t row)> BeforeRow;
};

// A frame's bitmap with the mask of its transparent pixels, made together.
struct TFrameBuild {
  std::unique_ptr<TBitmap> Bitmap;
  std::unique_ptr<TBitmap> Mask;  // none when no pixel is transparent
};

// The indices as they stand, the palette as colour table. Transparent pixels keep
// their index; only the mask marks them.
TFrameBuild BuildPlainBitmap(const TFrameIndices& frame, HPALETTE palette);
// The indices' colours dithered onto the colour cube; palette is the cube's. Transparent
// pixels hold the cube colour nearest to the transparent index's colour. GIFException
// "No global or local color table defined" when colors is empty.
TFrameBuild BuildDitheredBitmap(const TFrameIndices& frame, HPALETTE palette, const TGIFColorMap& colors);

}  // namespace tapestro
