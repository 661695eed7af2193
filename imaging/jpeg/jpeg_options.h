#pragma once
// How a JPEG image decodes: the options each image carries and the process-wide record
// every new image takes them from.
#include <cstdint>

namespace tapestro {

enum class TJPEGPixelFormat : uint8_t { jf24Bit, jf8Bit };
enum class TJPEGPerformance : uint8_t { jpBestQuality, jpBestSpeed };
enum class TJPEGScale : uint8_t { jsFullSize, jsHalf, jsQuarter, jsEighth };

struct TJPEGOptions {
  bool Grayscale = false;
  TJPEGPerformance Performance = TJPEGPerformance::jpBestQuality;
  TJPEGPixelFormat PixelFormat = TJPEGPixelFormat::jf24Bit;
  // Shows each scan of a progressive file as it arrives, with fast settings, before
  // the final picture.
  bool ProgressiveDisplay = false;
  TJPEGScale Scale = TJPEGScale::jsFullSize;
  bool Smoothing = true;

  friend bool operator==(const TJPEGOptions&, const TJPEGOptions&) = default;
};

// The options new images start with. Registering the JPEG format switches the pixel
// format to 8 bits when the display shows 8 or fewer bits per pixel.
TJPEGOptions& JPEGDefaults();

// Whether a picture decodes to 8 bits per pixel through a palette: greyscale output
// (a greyscale file, or the greyscale option) and every picture under the 8-bit
// option. Four-component (CMYK) pictures are converted to 24 bits here and never are.
bool DecodesThroughPalette(const TJPEGOptions& options, bool greyscaleFile, bool fourComponents);

}  // namespace tapestro
