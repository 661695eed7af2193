#include "gif/dither.h"

#include <algorithm>
#include <atomic>

#include "imaging/canvas.h"

namespace tapestro {

namespace {
constexpr int kMaxLowColorBitsPerPixel = 8;
std::atomic<bool> lowColorDisplay{false};
}  // namespace

bool LowColorDisplay() { return lowColorDisplay.load(std::memory_order_relaxed); }

void FixLowColorDisplay() {
  lowColorDisplay.store(DisplayBitsPerPixel() <= kMaxLowColorBitsPerPixel, std::memory_order_relaxed);
}

HPALETTE CubePalette() {
  std::vector<TPaletteEntry> entries;
  entries.reserve(kCubeColors);
  for (int r = 0; r < kCubeLevelsPerChannel; ++r)
    for (int g = 0; g < kCubeLevelsPerChannel; ++g)
      for (int b = 0; b < kCubeLevelsPerChannel; ++b)
        entries.push_back({static_cast<uint8_t>(r * kCubeLevelStep), static_cast<uint8_t>(g * kCubeLevelStep),
                           static_cast<uint8_t>(b * kCubeLevelStep), 0});
  return MakeLogPalette(std::move(entries));
}

TFloydSteinbergDitherer::TFloydSteinbergDitherer(int width, const TNetscapeColorLookup& lookup)
    : TDitherEngine(width, lookup) {
  for (TChannelErrors& channel : channels_) channel.Row.assign(static_cast<size_t>(width) + 2, 0);
}

uint8_t TFloydSteinbergDitherer::Dither(uint8_t red, uint8_t green, uint8_t blue) {
  const uint8_t values[3] = {red, green, blue};
  int wanted[3];
  for (int c = 0; c < 3; ++c) {
    const TChannelErrors& channel = channels_[c];
    // Integer division truncates toward zero, as the weights were tuned for.
    wanted[c] = std::clamp(values[c] + (channel.Row[cell_] + channel.Current + 8) / 16, 0, 255);
  }
  const TNetscapeColorLookup::TCubeColor chosen =
      lookup_.Lookup(static_cast<uint8_t>(wanted[0]), static_cast<uint8_t>(wanted[1]), static_cast<uint8_t>(wanted[2]));
  column_ += direction_;
  for (int c = 0; c < 3; ++c) {
    TChannelErrors& channel = channels_[c];
    const int error = wanted[c] - chosen.Levels[c] * kCubeLevelStep;
    if (error == 0) {
      channel.Current = 0;
      continue;
    }
    channel.Row[cell_] = channel.BelowPrevious + 3 * error;
    channel.BelowPrevious = channel.Below + 5 * error;
    channel.Below = error;
    channel.Current = 7 * error;
  }
  cell_ = static_cast<size_t>(static_cast<ptrdiff_t>(cell_) + direction_);
  return chosen.Index;
}

void TFloydSteinbergDitherer::NextLine() {
  for (TChannelErrors& channel : channels_) {
    channel.Row[cell_] = channel.BelowPrevious;
    channel.Current = channel.Below = channel.BelowPrevious = 0;
  }
  Reverse();
  cell_ = StartCell();
}

}  // namespace tapestro
