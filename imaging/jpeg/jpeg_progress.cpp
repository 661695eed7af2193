#include "imaging/jpeg/jpeg_progress.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace tapestro {

namespace {

int PercentDone(const TJpegProgressState& state) {
  if (state.PassLimit <= 0 || state.TotalPasses <= 0) return 0;
  const double passes = static_cast<double>(state.PassCounter) / static_cast<double>(state.PassLimit) +
                        static_cast<double>(state.CompletedPasses);
  return std::clamp(static_cast<int>(passes * 100.0 / state.TotalPasses), 0, 100);
}

}  // namespace

int64_t SteadyMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

TJpegProgressPacer::TJpegProgressPacer(std::function<int64_t()> tickCount) : tickCount_(std::move(tickCount)) {}

std::optional<TJpegProgressReport> TJpegProgressPacer::Next(const TJpegProgressState& state) {
  const int64_t now = tickCount_();
  if (!lastTick_) {
    lastTick_ = now;
    return std::nullopt;
  }
  if (now - *lastTick_ < kJpegProgressIntervalMs) return std::nullopt;
  const int percent = PercentDone(state);
  if (percent == lastPercent_) return std::nullopt;
  lastTick_ = now;
  lastPercent_ = percent;

  TJpegProgressReport report;
  report.Percent = static_cast<uint8_t>(percent);
  // A row above the last reported one means a new pass began: the rest of the old
  // pass's rows are ready too.
  const int32_t bottom = state.OutputScanline < lastRow_ ? state.OutputHeight : state.OutputScanline;
  report.Rect = Rect(0, lastRow_, state.OutputWidth, bottom);
  report.RedrawNow = report.Rect.Height() >= 4;
  lastRow_ = state.OutputScanline;
  return report;
}

}  // namespace tapestro
