#include "gif/wake_event.h"

#include <utility>

namespace tapestro {

void TWakeEvent::Set() {
  {
    const std::lock_guard lock(mutex_);
    set_ = true;
  }
  signalled_.notify_one();
}

bool TWakeEvent::TryConsume() {
  const std::lock_guard lock(mutex_);
  return std::exchange(set_, false);
}

bool TWakeEvent::Wait(std::optional<std::chrono::milliseconds> timeout) {
  std::unique_lock lock(mutex_);
  const auto isSet = [this] { return set_; };
  if (timeout) {
    if (!signalled_.wait_for(lock, *timeout, isSet)) return false;
  } else {
    signalled_.wait(lock, isSet);
  }
  set_ = false;
  return true;
}

}  // namespace tapestro
