#pragma once
// How a frame's colour indices become an 8-bit bitmap. The indices are kept in the rows
// of a bottom-up 8-bit DIB, so the plain build hands the bitmap that very memory: no
// pixel is copied, and pages the image data never reached stay untouched. The dithered
// build maps the colours onto the colour cube (gif/dither.h) through a TDIBWriter. The
// transparent pixels are collected into a 1-bit mask either way. Each bitmap is what
// reading the BMP file of its rows would give.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "imaging/color.h"
#include "imaging/pixel_format.h"

namespace tapestro {

class TBitmap;
class TBitmapImage;
class TGIFColorMap;

// Width x height pixels of an 8-bit (table of 256 entries) or 24-bit bottom-up DIB
// written row by row, then handed to a bitmap.
class TDIBWriter {
 public:
  // Colour tables of 8-bit bitmaps have this many entries, whatever the palette holds.
  static constexpr size_t kColorTableEntries = 256;

  // GIFException "Unsupported PixelFormat" for formats other than pf8bit and pf24bit,
  // "Invalid image dimensions" when width or height is not above 0. At 8 bits the
  // colour table holds the palette's entries followed by zero entries; colours
  // important is the palette's entry count.
  TDIBWriter(TBitmap& target, TPixelFormat format, int32_t width, int32_t height, HPALETTE palette);

  // Row (0 = top) to write; the zero-filled pixel memory is made on the first call
  // (EOutOfMemory "Failed to allocate memory for GIF DIB" when it cannot be had).
  // Raises EInvalidGraphicOperation "Scan line index out of range" outside the height
  // and GIFException "Image has no DIB" once the rows were committed.
  uint8_t* RowPointer(int32_t row);
  // Gives the target bitmap what was written. Without any row written nothing happens.
  // Dropped uncommitted, the writer leaves the target alone.
  void CommitToBitmap();

 private:
  TBitmap& target_;
  TPixelFormat format_;
  int32_t width_;
  int32_t height_;
  HPALETTE palette_;
  TPixelBuffer pixels_;
  size_t rowBytes_ = 0;
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
  // The monochrome bitmap of the rows (1 plane, 1 bit per pixel); the rows go with it.
  std::unique_ptr<TBitmap> ToBitmap();

 private:
  uint8_t* Row(int32_t y) { return rows_.Data() + rowBytes_ * static_cast<size_t>(height_ - 1 - y); }

  int32_t width_;
  int32_t height_;
  size_t rowBytes_;
  TPixelBuffer rows_;
  bool any_ = false;
};

// The colour indices of one frame, in the rows of a bottom-up 8-bit DIB, and how to
// build its bitmap.
struct TFrameIndices {
  const TPixelBuffer& Pixels;  // PixelSize(Width, Height, 8) bytes
  int32_t Width = 0;
  int32_t Height = 0;
  // Whether the pixels of TransparentIndex are collected into a mask.
  bool MakeMask = false;
  uint8_t TransparentIndex = 0;
  // Called before each row is built, from the top (progress reports).
  std::function<void(int32_t row)> BeforeRow;

  // Row y, counted from the top.
  const uint8_t* Row(int32_t y) const;
};

// A frame's bitmap with the mask of its transparent pixels, made together.
struct TFrameBuild {
  std::unique_ptr<TBitmap> Bitmap;
  std::unique_ptr<TBitmap> Mask;  // none when no pixel is transparent
};

// The indices as they stand, in the same memory, the palette as colour table.
// Transparent pixels keep their index; only the mask marks them.
TFrameBuild BuildPlainBitmap(const TFrameIndices& frame, HPALETTE palette);
// The indices' colours dithered onto the colour cube; palette is the cube's. Transparent
// pixels hold the cube colour nearest to the transparent index's colour. GIFException
// "No global or local color table defined" when colors is empty.
TFrameBuild BuildDitheredBitmap(const TFrameIndices& frame, HPALETTE palette, const TGIFColorMap& colors);

}  // namespace tapestro
