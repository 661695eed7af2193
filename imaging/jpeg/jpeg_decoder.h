#pragma once
// Decodes held JPEG file bytes straight into the rows of a TBitmap: 24-bit blue, green,
// red rows as the library delivers them, or 8-bit rows of palette indices with the
// palette made from the library's colour map.
#include <cstdint>
#include <functional>
#include <span>

#include "imaging/color.h"
#include "imaging/geometry.h"
#include "imaging/graphic.h"
#include "imaging/jpeg/jpeg_options.h"

namespace tapestro {

class TBitmap;

struct TJpegDecodeRequest {
  std::span<const uint8_t> File;
  TJPEGOptions Options;
  // The palette a caller handed in: palette pictures of colour files are quantised to
  // it instead of to colours of their own.
  HPALETTE CallerPalette;
  std::function<int64_t()> TickCount;
  std::function<void(TProgressStage stage, uint8_t percent, bool redrawNow, const TRect& rect)> Progress;
};

// Raises EJPEG for the library's failures and passes on what a progress listener
// throws; the rows decoded until then stay in the bitmap. paletteModified is set when
// the bitmap got a palette made from the file.
void DecodeJpegInto(const TJpegDecodeRequest& request, TBitmap& bitmap, bool& paletteModified);

}  // namespace tapestro
