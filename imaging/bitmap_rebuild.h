#pragma once
// Rebuilding a bitmap's image in a new size, pixel format or palette: the common step of
// set width, set height, set pixel format and set palette.
#include <memory>

#include "imaging/bitmap_image.h"
#include "imaging/color.h"
#include "imaging/pixel_format.h"

namespace tapestro {

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
std::unique_ptr<TBitmapImage> RebuildImage(const TBitmapImage& old, TDIBDescription description,
                                           HPALETTE palette, const TRebuildColors& colors);

}  // namespace tapestro
