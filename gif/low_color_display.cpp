#include "gif/low_color_display.h"

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

}  // namespace tapestro
