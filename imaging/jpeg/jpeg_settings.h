#pragma once
// Turns an image's options into decompression settings, after the header is read.
#include <cstdio>
// jpeglib.h uses size_t and FILE without including their headers.
#include <jpeglib.h>

#include "imaging/jpeg/jpeg_options.h"

namespace tapestro {

// The settings of the final picture, kept while progressive display shows its
// intermediate scans with fast ones.
struct TJpegFinalSettings {
  J_DCT_METHOD DctMethod = JDCT_FLOAT;
  bool TwoPassQuantize = false;
  J_DITHER_MODE DitherMode = JDITHER_FS;
};

struct TJpegDecodeSettings {
  TJpegFinalSettings Final;
  // Progressive display of a file of several scans: the library's buffered-image mode.
  bool Buffered = false;
  // CMYK and YCCK files come from the library as CMYK and are converted here.
  bool FourComponents = false;
  // The library's CMYK holds 255 - ink, the convention of files with an Adobe marker.
  bool InvertedCmyk = false;
};

// Scale, smoothing, colour space (blue, green, red for colour files), quantisation to
// kJpegQuantizedColors for palette pictures, and the speed settings. The DCT is the
// floating-point one unless best speed is asked for.
TJpegDecodeSettings ApplyDecodeSettings(jpeg_decompress_struct& info, const TJPEGOptions& options, bool multipleScans);

bool IsFourComponentColorSpace(J_COLOR_SPACE space);

}  // namespace tapestro
