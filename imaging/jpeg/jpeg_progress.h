#pragma once
// Paces the JPEG library's progress into the picture's progress notifications: at most
// one per 500 ms and one per percent, so listeners cost nothing measurable.
#include <cstdint>
#include <functional>
#include <optional>

#include "imaging/geometry.h"

namespace tapestro {

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

}  // namespace tapestro
