#pragma once
// The animation's clockwork: how long a frame's delay lasts and how the wait before a
// frame makes up for a late previous frame.
#include <cstdint>
#include <optional>

namespace tapestro {

class TGIFGraphicControlExtension;

inline constexpr int64_t kDelayUnitMs = 12;            // one unit of a graphic control delay
inline constexpr int kDefaultDelayUnits = 10;          // a frame without a delay of its own
inline constexpr int kMinDelayUnits = 3;               // shorter delays are raised to this
inline constexpr int kMaxUnthreadedDelayUnits = 1000;  // a painter inside a paint call waits no longer
inline constexpr int64_t kMaxUnthreadedSliceMs = 100;  // ... and sleeps in slices of at most this
inline constexpr int kNormalAnimationSpeed = 100;      // percent

// The units to wait after a frame with this graphic control extension (none: the
// frame has no extension).
int FrameDelayUnits(const TGIFGraphicControlExtension* control, bool threaded);

// The wait before a frame in milliseconds: units at speed percent, less half of how
// late the previous frame came (latenessMs: the time since it minus the wait planned
// for it). None when the wait has no end: a threaded painter at a speed of 0 or below.
std::optional<int64_t> FrameWaitMs(int units, int64_t latenessMs, int speed, bool threaded);

}  // namespace tapestro
