#include "gif/painter_timing.h"

#include <algorithm>

#include "gif/extensions.h"

namespace tapestro {

int FrameDelayUnits(const TGIFGraphicControlExtension* control, bool threaded) {
  if (control == nullptr || control->Delay() == 0) return kDefaultDelayUnits;
  const int units = std::max<int>(control->Delay(), kMinDelayUnits);
  return threaded ? units : std::min(units, kMaxUnthreadedDelayUnits);
}

std::optional<int64_t> FrameWaitMs(int units, int64_t latenessMs, int speed, bool threaded) {
  if (speed <= 0) {
    if (threaded) return std::nullopt;
    return kMaxUnthreadedDelayUnits * kDelayUnitMs;
  }
  // Integer division truncates toward zero, as the halving must.
  return (units * kDelayUnitMs - latenessMs / 2) * kNormalAnimationSpeed / speed;
}

}  // namespace tapestro
