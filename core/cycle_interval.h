#pragma once
// The change cycle: whole minutes in the cycle box, milliseconds in the timer and in the
// settings file. A cycle the timer cannot run is refused rather than stored: 0 would
// never tick, and anything over 2^31 - 1 ms would tick early.
#include <cstdint>
#include <optional>

namespace tapestro {

inline constexpr int32_t kMillisecondsPerMinute = 60000;
inline constexpr int32_t kShortestCycleMinutes = 1;
// The longest interval the timers take is 2^31 - 1 ms: 35791 minutes, about 24.8 days.
inline constexpr int32_t kLongestCycleMinutes = INT32_MAX / kMillisecondsPerMinute;

// The timer interval for a cycle of minutes; nothing outside the two limits above.
std::optional<uint32_t> CycleInterval(int32_t minutes);

}  // namespace tapestro
