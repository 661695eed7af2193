#pragma once
// Decodes held JPEG file bytes straight into the rows of a TBitmap: 24-bit blue, green,
// red rows as the library delivers them, 8-bit rows of palette indices with the palette
// made from the library's colour map, or CMYK converted to blue, green, red. Its
// progress reaches the picture's listeners at most one notification per 500 ms and one
// per percent, so listeners cost nothing measurable.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "imaging/color.h"
#include "imaging/geometry.h"
#include "imaging/graphic.h"
#include "imaging/jpeg/jpeg_image.h"

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

inline constexpr int64_t kJpegProgressIntervalMs = 500;

// What the library's progress record and output position say.
struct TJpegProgressState {
  long PassCounter = 0;
  long PassLimit = 0;
  int CompletedPasses = 0;
  int TotalPasses = 0;
  int32_t OutputWidth = 0;
  int32_t OutputHeight = 0;
  int32_t OutputScanline = 0;
};

struct TJpegProgressReport {
  uint8_t Percent = 0;
  bool RedrawNow = false;  // the rows ready since the last report are 4 or more
  TRect Rect;              // those rows
};

// Milliseconds of a clock that never goes back.
int64_t SteadyMilliseconds();

// Paces the library's progress into the picture's progress notifications.
class TJpegProgressPacer {
 public:
  explicit TJpegProgressPacer(std::function<int64_t()> tickCount);

  // A report when one is due. The first call only starts the clock.
  std::optional<TJpegProgressReport> Next(const TJpegProgressState& state);

 private:
  std::function<int64_t()> tickCount_;
  std::optional<int64_t> lastTick_;
  int lastPercent_ = -1;
  int32_t lastRow_ = 0;
};

// Four-component pictures, shown in colour. The library delivers CMYK (YCCK converted
// to CMYK); a 24-bit bitmap row holds blue, green, red. pixels CMYK quadruples become
// blue, green, red triples: red = (255 - cyan ink) x (255 - black ink) / 255, and so
// on. Files with an Adobe marker store each channel as 255 - ink (inverted), the others
// store the ink itself.
void CmykToBgr(const uint8_t* cmyk, uint8_t* bgr, size_t pixels, bool inverted);

}  // namespace tapestro
