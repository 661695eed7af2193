#pragma once
// The desktop's work off the window's thread. A reload may run a program, speak to a
// socket or wait for a D-Bus answer for seconds (each up to its time limit), and
// choosing the back end asks the desktops whether they answer: all of it runs on the
// queue's own thread, one job at a time in the order given. Each outcome comes back to
// the thread that made the queue, in the same order, so that the message pane's
// messages keep theirs.
// After each outcome the memory the job freed goes back to the system.
#include <QObject>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "core/desktop_wallpaper.h"
#include "platform/desktop/desktop_factory.h"

namespace tapestro {

class TDesktopQueue {
 public:
  // desktop is used when given; otherwise one is chosen for setup at the first job.
  // monitorsChanged runs on this thread whenever the back end sees the monitors change.
  TDesktopQueue(std::unique_ptr<desktop::TDesktopBackend> desktop, desktop::TDesktopSetup setup,
                std::function<void()> monitorsChanged = {});
  // Finishes the job under way; the others are dropped.
  ~TDesktopQueue();
  TDesktopQueue(const TDesktopQueue&) = delete;
  TDesktopQueue& operator=(const TDesktopQueue&) = delete;

  void Post(TDesktopWork work, TDesktopDone done);
  TDesktopRunner Runner() {
    return [this](TDesktopWork work, TDesktopDone done) { Post(std::move(work), std::move(done)); };
  }

 private:
  struct TJob {
    TDesktopWork Work;
    TDesktopDone Done;
  };
  void Run();
  void Watch();
  void RunJob(TJob& job);
  void HandBack(std::function<void()> call);

  QObject receiver_;  // lives on the thread that made the queue; outcomes run there
  std::unique_ptr<desktop::TDesktopBackend> desktop_;
  desktop::TDesktopSetup setup_;
  std::function<void()> monitorsChanged_;
  std::unique_ptr<desktop::TMonitorWatch> watch_;
  bool watchAsked_ = false;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<TJob> jobs_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace tapestro
