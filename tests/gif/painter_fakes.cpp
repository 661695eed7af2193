#include "tests/gif/painter_fakes.h"

#include <chrono>
#include <filesystem>
#include <thread>

#include "gif/painter/services.h"

namespace tapestro::test {

bool FakeClock::WaitFor(TWakeEvent& event, std::optional<int64_t> timeoutMs) {
  if (event.TryConsume()) return true;
  if (!timeoutMs) {
    ++endlessWaits_;
    return event.Wait(std::nullopt);
  }
  {
    const std::lock_guard lock(mutex_);
    waits_.push_back(*timeoutMs);
  }
  now_ += *timeoutMs;
  return false;
}

void FakeClock::Sleep(int64_t ms) {
  {
    const std::lock_guard lock(mutex_);
    sleeps_.push_back(ms);
  }
  now_ += ms;
}

std::vector<int64_t> FakeClock::Waits() const {
  const std::lock_guard lock(mutex_);
  return waits_;
}

std::vector<int64_t> FakeClock::Sleeps() const {
  const std::lock_guard lock(mutex_);
  return sleeps_;
}

void RecordingDispatcher::Synchronize(const std::function<void()>& work) {
  const std::function<void()> recorded = [&] {
    ++workRun_;
    work();
    if (AfterWork) AfterWork();
  };
  if (OnUiThread()) {
    recorded();
    return;
  }
  ++handedOver_;
  handOver_.PostAndWait(recorded, [] {});
}

bool PumpUntil(TUiDispatcher& dispatcher, const std::function<bool()>& done) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!done()) {
    if (std::chrono::steady_clock::now() > giveUp) return false;
    dispatcher.RunPending();
    std::this_thread::yield();
  }
  return true;
}

namespace {

int ThreadCount() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) ++count;
  return count;
}

// Yields for about that long.
void YieldFor(std::chrono::milliseconds time) {
  const auto end = std::chrono::steady_clock::now() + time;
  while (std::chrono::steady_clock::now() < end) std::this_thread::yield();
}

}  // namespace

int SettledThreadCount() {
  // A first thread makes runtimes that start a helper thread lazily (ThreadSanitizer's)
  // start it now, so it is not taken for a thread left behind.
  std::thread([] {}).join();
  int count = ThreadCount();
  for (int previous = -1; count != previous;) {
    previous = count;
    YieldFor(std::chrono::milliseconds(5));
    count = ThreadCount();
  }
  return count;
}

bool ThreadsComeBackTo(int count) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (ThreadCount() > count) {
    if (std::chrono::steady_clock::now() > giveUp) return false;
    std::this_thread::yield();
  }
  return true;
}

}  // namespace tapestro::test
