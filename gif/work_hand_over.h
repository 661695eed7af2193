#pragma once
// Work that worker threads hand to one owner thread and wait for: the owner runs it
// whenever it calls RunPending. The core of every TUiDispatcher; the dispatcher adds
// only the way to wake its thread.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>

namespace tapestro {

class TWorkHandOver {
 public:
  // From a worker: queues the work, calls wakeOwner (which must not block), and waits
  // until the owner has run it; an exception the work raised is raised again here.
  void PostAndWait(const std::function<void()>& work, const std::function<void()>& wakeOwner);
  // On the owner thread: runs the work queued now, in order; answers how much ran.
  // Work queued while it runs waits for the next call.
  size_t RunPending();

 private:
  struct TItem {
    const std::function<void()>* Work;
    std::exception_ptr Error;
    bool Done = false;
  };

  std::mutex mutex_;
  std::condition_variable done_;
  std::deque<TItem*> queue_;
};

}  // namespace tapestro
