// The real clock of the animation painter.
#include <chrono>
#include <thread>

#include "gif/painter_clock.h"
#include "gif/wake_event.h"

namespace tapestro {

namespace {

class TSteadyPainterClock final : public TPainterClock {
 public:
  int64_t NowMs() override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
  bool WaitFor(TWakeEvent& event, std::optional<int64_t> timeoutMs) override {
    if (!timeoutMs) return event.Wait(std::nullopt);
    return event.Wait(std::chrono::milliseconds(*timeoutMs));
  }
  void Sleep(int64_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
  void Yield() override { std::this_thread::yield(); }
};

}  // namespace

TPainterClock& SteadyPainterClock() {
  // Stateless, so one instance serves every painter.
  static TSteadyPainterClock clock;
  return clock;
}

}  // namespace tapestro
