#pragma once
// Reading a BMP file into a new bitmap image, with the decoding of its run-length-encoded
// pixel data (BI_RLE8 and BI_RLE4).
#include <cstdint>
#include <memory>
#include <span>

#include "imaging/bitmap_image.h"
#include "imaging/color.h"
#include "imaging/pixel_view.h"

namespace tapestro {

class TStream;

// Reads the BMP file that runs from the stream's position to its end. No bytes at all
// give an empty image. Uncompressed files become DIBs of their own format (pixels the
// file does not supply stay zero); run-length-encoded files become device bitmaps that
// keep the file's bytes. Raises EInvalidGraphic "Bitmap image is not valid" for files
// that are wrong or past the pixel limit (checked before any pixel memory is taken) and
// EReadError "Stream read error" when the file ends inside its header, masks or colour
// table. The caller installs the result only on success.
std::unique_ptr<TBitmapImage> ReadBmpImage(TStream& stream);

enum class TRleOutcome {
  Complete,     // ended by its end-of-bitmap code
  Truncated,    // the data ran out first; what was decoded stays
  OutOfBounds,  // a code would place a pixel outside the picture
};

// Decodes 8-bit (bits 8) or 4-bit (bits 4) data whose first line is the bottom row of
// target. Each index is written as its colour in table; pixels the data skips with
// deltas or early line ends, or never reaches, keep their value.
TRleOutcome DecodeRle(std::span<const uint8_t> data, int bits, std::span<const TRGBQuad> table,
                      const TPixelView& target);

}  // namespace tapestro
