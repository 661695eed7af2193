#pragma once
// The logical palette of the library's colour map.
#include <cstdio>
// jpeglib.h uses size_t and FILE without including their headers.
#include <jpeglib.h>

#include "imaging/color.h"

namespace tapestro {

// One entry per map colour: grey output has one component per colour; colour output
// has blue, green, red as components 0, 1, 2.
HPALETTE PaletteFromColorMap(const jpeg_decompress_struct& info);

// Fills a map the library quantises to from the palette's entries (blue, green, red).
void FillColorMap(JSAMPARRAY map, const TLogPalette& palette);

}  // namespace tapestro
