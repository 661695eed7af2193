#pragma once
// What the animation painter needs from the program around it: a way to hand drawing
// to the user-interface thread (TUiDispatcher, built on TWorkHandOver), time
// (TPainterClock), and the wake-up event that cuts a frame wait short. Each new
// TGIFImage takes the process-wide default services, which main() sets once it has a
// user interface; a tool without one leaves them empty, and animations then show
// their first image.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>

namespace tapestro {

// How the animation painter reaches the user-interface thread. The painter's own thread
// never draws: it hands each drawing step over and waits until the user-interface
// thread has run it. The program implements this over its event loop (platform/);
// tests use a recording stand-in.
class TUiDispatcher {
 public:
  virtual ~TUiDispatcher() = default;

  // From a worker thread: runs work on the user-interface thread and returns when it
  // has run; an exception the work raised is raised again here. On the user-interface
  // thread itself the work runs at once.
  virtual void Synchronize(const std::function<void()>& work) = 0;
  // On the user-interface thread: runs the work handed over and waiting now. Every
  // wait for a painter on that thread calls it, so that a painter waiting in
  // Synchronize is never waited for in turn.
  virtual void RunPending() = 0;
  virtual bool OnUiThread() const = 0;
};

// Work that worker threads hand to one owner thread and wait for: the owner runs it
// whenever it calls RunPending. The core of every TUiDispatcher; the dispatcher adds
// only the way to wake its thread.
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

// An auto-reset event: Set lets one wait return (the one running now or the next one),
// and that wait resets it. The painter waits on it between frames, so that an end
// request cuts a long frame delay short.
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

// The animation painter's time: a monotonic millisecond clock and the waits measured on
// it. The program uses the steady clock; tests use a fake clock that never sleeps.
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

struct TPainterServices {
  // None: no user-interface thread to hand drawing to, so nothing is animated on a
  // thread of its own.
  TUiDispatcher* Dispatcher = nullptr;
  TPainterClock* Clock = &SteadyPainterClock();
};

TPainterServices DefaultPainterServices();

// Makes services the default for images created during its lifetime, and puts the
// previous default back at its end. The dispatcher must outlive every image made meanwhile.
class TScopedPainterServices {
 public:
  explicit TScopedPainterServices(const TPainterServices& services);
  ~TScopedPainterServices();
  TScopedPainterServices(const TScopedPainterServices&) = delete;
  TScopedPainterServices& operator=(const TScopedPainterServices&) = delete;

 private:
  TPainterServices previous_;
};

}  // namespace tapestro
