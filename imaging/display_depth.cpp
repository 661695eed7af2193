#include "imaging/display_depth.h"

#include <atomic>

namespace tapestro {

namespace {
std::atomic<int> displayBitsPerPixel{kDefaultDisplayBitsPerPixel};
}  // namespace

int DisplayBitsPerPixel() { return displayBitsPerPixel.load(std::memory_order_relaxed); }

void SetDisplayBitsPerPixel(int bitsPerPixel) {
  displayBitsPerPixel.store(bitsPerPixel, std::memory_order_relaxed);
}

}  // namespace tapestro
