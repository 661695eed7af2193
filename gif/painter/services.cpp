#include "gif/painter/services.h"

#include <thread>
#include <utility>

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

std::mutex& DefaultLock() {
  static std::mutex lock;
  return lock;
}

TPainterServices& DefaultServices() {
  static TPainterServices services;
  return services;
}

TPainterServices Exchange(const TPainterServices& services) {
  const std::lock_guard lock(DefaultLock());
  const TPainterServices previous = DefaultServices();
  DefaultServices() = services;
  return previous;
}

}  // namespace

void TWorkHandOver::PostAndWait(const std::function<void()>& work, const std::function<void()>& wakeOwner) {
  TItem item{&work, nullptr, false};
  {
    const std::lock_guard lock(mutex_);
    queue_.push_back(&item);
  }
  wakeOwner();
  std::unique_lock lock(mutex_);
  done_.wait(lock, [&] { return item.Done; });
  if (item.Error) std::rethrow_exception(item.Error);
}

size_t TWorkHandOver::RunPending() {
  std::deque<TItem*> batch;
  {
    const std::lock_guard lock(mutex_);
    batch.swap(queue_);
  }
  for (TItem* item : batch) {
    std::exception_ptr error;
    try {
      (*item->Work)();
    } catch (...) {
      error = std::current_exception();
    }
    {
      const std::lock_guard lock(mutex_);
      item->Error = std::move(error);
      item->Done = true;
    }
    // Every waiter checks its own item.
    done_.notify_all();
  }
  return batch.size();
}

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

TPainterClock& SteadyPainterClock() {
  // Stateless, so one instance serves every painter.
  static TSteadyPainterClock clock;
  return clock;
}

TPainterServices DefaultPainterServices() {
  const std::lock_guard lock(DefaultLock());
  return DefaultServices();
}

TScopedPainterServices::TScopedPainterServices(const TPainterServices& services) : previous_(Exchange(services)) {}

TScopedPainterServices::~TScopedPainterServices() { Exchange(previous_); }

}  // namespace tapestro
