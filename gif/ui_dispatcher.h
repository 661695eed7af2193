#pragma once
// How the animation painter reaches the user-interface thread. The painter's own thread
// never draws: it hands each drawing step over and waits until the user-interface
// thread has run it. The program implements this over its event loop (platform/);
// tests use a recording stand-in.
#include <functional>

namespace tapestro {

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

}  // namespace tapestro
