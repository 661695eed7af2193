#pragma once
// Stand-ins for the painter's services: a clock that never sleeps and records every
// wait, and a dispatcher whose user-interface thread is the test's own thread, which
// runs the handed-over work when the test pumps it.
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "gif/painter/services.h"

namespace tapestro::test {

class FakeClock final : public TPainterClock {
 public:
  int64_t NowMs() override { return now_; }
  // A set event returns at once; a timed wait is recorded and moves the time on; a
  // wait without end really waits for the event.
  bool WaitFor(TWakeEvent& event, std::optional<int64_t> timeoutMs) override;
  void Sleep(int64_t ms) override;
  void Yield() override { std::this_thread::yield(); }

  void Advance(int64_t ms) { now_ += ms; }
  std::vector<int64_t> Waits() const;
  std::vector<int64_t> Sleeps() const;
  int EndlessWaits() const { return endlessWaits_; }

 private:
  std::atomic<int64_t> now_{0};
  std::atomic<int> endlessWaits_{0};
  mutable std::mutex mutex_;
  std::vector<int64_t> waits_;
  std::vector<int64_t> sleeps_;
};

class RecordingDispatcher final : public TUiDispatcher {
 public:
  // The thread that makes it is the user-interface thread.
  RecordingDispatcher() : uiThread_(std::this_thread::get_id()) {}

  void Synchronize(const std::function<void()>& work) override;
  void RunPending() override { handOver_.RunPending(); }
  bool OnUiThread() const override { return std::this_thread::get_id() == uiThread_; }

  // Runs on the user-interface thread after each piece of handed-over work.
  std::function<void()> AfterWork;
  int WorkRun() const { return workRun_; }
  // Work that came from a thread other than the user-interface thread.
  int HandedOver() const { return handedOver_; }

 private:
  const std::thread::id uiThread_;
  TWorkHandOver handOver_;
  std::atomic<int> workRun_{0};
  std::atomic<int> handedOver_{0};
};

// Runs the dispatcher's work until done() holds. Gives up after a generous real-time
// bound, so that a fault shows as a failed expectation instead of a hung suite.
bool PumpUntil(TUiDispatcher& dispatcher, const std::function<bool()>& done);

// The threads of this process, read when two readings a few milliseconds apart agree:
// the kernel lists a thread for a moment after a join of it has returned.
int SettledThreadCount();
// Whether the process comes back to at most count threads within a generous bound.
bool ThreadsComeBackTo(int count);

}  // namespace tapestro::test
