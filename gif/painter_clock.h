#pragma once
// The animation painter's time: a monotonic millisecond clock and the waits measured on
// it. The program uses the steady clock; tests use a fake clock that never sleeps.
#include <cstdint>
#include <optional>

namespace tapestro {

class TWakeEvent;

class TPainterClock {
 public:
  virtual ~TPainterClock() = default;

  virtual int64_t NowMs() = 0;
  // Waits for the event at most timeoutMs (none: without limit); true when it was set.
  virtual bool WaitFor(TWakeEvent& event, std::optional<int64_t> timeoutMs) = 0;
  // A blocking sleep: the painter that runs inside a paint call waits in slices.
  virtual void Sleep(int64_t ms) = 0;
  // Lets other threads run, while waiting for another thread.
  virtual void Yield() = 0;
};

// Real time: std::chrono::steady_clock and the standard library's waits.
TPainterClock& SteadyPainterClock();

}  // namespace tapestro
