#pragma once
// The image behind a TBitmap, shared by every bitmap assigned from it: the pixels, their
// description and colour table, the logical palette, and the bytes of a compressed file
// kept for writing it back unchanged.
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/color.h"
#include "imaging/graphic.h"
#include "imaging/pixel_format.h"
#include "imaging/pixel_view.h"

namespace tapestro {

class TBitmapImage final : public TSharedImage {
 public:
  TDIBDescription Description;
  // 2^bits entries at 8 or fewer bits per pixel; empty for device bitmaps and above.
  TColorTable ColorTable;
  // Empty while width or height is 0. A device bitmap holds blue, green, red rows,
  // bottom row first, like a 24-bit DIB.
  TPixelBuffer Pixels;
  HPALETTE Palette;
  // A compressed file as it was read, from its file header to its end; written back
  // instead of the pixels until the bitmap is first changed.
  std::shared_ptr<const std::vector<uint8_t>> KeptFileBytes;
  bool OS2 = false;      // read from a file with the 12-byte OS/2 header
  bool Halftone = false;  // Palette is a halftone palette made for drawing; never written

  bool HasPixels() const { return !Pixels.Empty(); }
  bool Empty() const { return !HasPixels() && !KeptFileBytes; }
  TPixelView View();
  TPixelView View() const;
  std::unique_ptr<TBitmapImage> Clone() const;
};

}  // namespace tapestro
