#include "core/cycle_interval.h"

namespace tapestro {

std::optional<uint32_t> CycleInterval(int32_t minutes) {
  if (minutes < kShortestCycleMinutes || minutes > kLongestCycleMinutes) return std::nullopt;
  return static_cast<uint32_t>(minutes) * kMillisecondsPerMinute;
}

}  // namespace tapestro
