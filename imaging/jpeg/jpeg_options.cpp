#include "imaging/jpeg/jpeg_options.h"

namespace tapestro {

TJPEGOptions& JPEGDefaults() {
  static TJPEGOptions defaults;
  return defaults;
}

bool DecodesThroughPalette(const TJPEGOptions& options, bool greyscaleFile, bool fourComponents) {
  if (fourComponents) return false;
  return options.PixelFormat == TJPEGPixelFormat::jf8Bit || options.Grayscale || greyscaleFile;
}

}  // namespace tapestro
