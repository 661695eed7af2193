#include "gif/work_hand_over.h"

#include <utility>

namespace tapestro {

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

}  // namespace tapestro
