#pragma once
// Decoding of run-length-encoded BMP pixel data (BI_RLE8 and BI_RLE4) into a bitmap.
#include <cstdint>
#include <span>

#include "imaging/color.h"
#include "imaging/pixel_view.h"

namespace tapestro {

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
