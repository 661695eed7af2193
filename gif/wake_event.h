#pragma once
// An auto-reset event: Set lets one wait return (the one running now or the next one),
// and that wait resets it. The painter waits on it between frames, so that an end
// request cuts a long frame delay short.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>

namespace tapestro {

class TWakeEvent {
 public:
  void Set();
  // Resets a set event and answers true; false at once when it is not set.
  bool TryConsume();
  // Waits until the event is set (and resets it) or the time is up; without a time,
  // until it is set. True when it was set.
  bool Wait(std::optional<std::chrono::milliseconds> timeout);

 private:
  std::mutex mutex_;
  std::condition_variable signalled_;
  bool set_ = false;
};

}  // namespace tapestro
