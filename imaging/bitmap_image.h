#pragma once
// The image behind a TBitmap, shared by every bitmap assigned from it: the pixels, their
// description and colour table, the logical palette, and the bytes of a compressed file
// kept for writing it back unchanged. And how an image is rebuilt in a new size, pixel
// format or palette: the common step of set width, set height, set pixel format and set
// palette.
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

// What the new areas of a rebuilt image show: white, or the colours of the bitmap's
// drawing surface when it has one.
struct TRebuildColors {
  TColor Fill = clWhite;
  bool FromSurface = false;
  TColor Font = clBlack;  // the 0 bits of a 1-bit image made while a surface exists
};

// A new image with that description and palette showing old's pixels: converted
// straight when the size stays and the new format has more than 8 bits per pixel;
// otherwise the new image is filled and old is copied onto its top-left corner, each
// colour becoming the nearest entry of the new colour table. While width or height is
// 0 only the description, palette and colour table are kept. EOutOfResources "Out of
// system resources" past the pixel limit.
std::unique_ptr<TBitmapImage> RebuildImage(const TBitmapImage& old, TDIBDescription description, HPALETTE palette,
                                           const TRebuildColors& colors);

}  // namespace tapestro
