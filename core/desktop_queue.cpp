#include "core/desktop_queue.h"

#include "platform/system_services.h"

namespace tapestro {

TDesktopQueue::TDesktopQueue(std::unique_ptr<desktop::TDesktopBackend> desktop, desktop::TDesktopSetup setup,
                             std::function<void()> monitorsChanged)
    : desktop_(std::move(desktop)),
      setup_(std::move(setup)),
      monitorsChanged_(std::move(monitorsChanged)),
      thread_([this] { Run(); }) {}

TDesktopQueue::~TDesktopQueue() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
    jobs_.clear();
  }
  wake_.notify_one();
  thread_.join();
  // The watch calls back on a thread of its own: it goes before what it calls.
  watch_.reset();
}

void TDesktopQueue::Post(TDesktopWork work, TDesktopDone done) {
  {
    const std::lock_guard lock(mutex_);
    jobs_.push_back({std::move(work), std::move(done)});
  }
  wake_.notify_one();
}

void TDesktopQueue::HandBack(std::function<void()> call) {
  QMetaObject::invokeMethod(&receiver_, std::move(call), Qt::QueuedConnection);
}

void TDesktopQueue::Watch() {
  if (watchAsked_ || !monitorsChanged_) return;
  watchAsked_ = true;
  watch_ = desktop_->WatchMonitors([this] { HandBack(monitorsChanged_); });
}

void TDesktopQueue::RunJob(TJob& job) {
  std::exception_ptr error;
  try {
    if (!desktop_) desktop_ = desktop::CreateDesktopBackend(setup_);
    Watch();
    job.Work(*desktop_);
  } catch (...) {
    error = std::current_exception();
  }
  HandBack([done = std::move(job.Done), error] {
    // A change frees its pictures in the heaps of both threads; the pages go back to the
    // system once its outcome has been handled, whatever that was.
    struct TGiveBack {
      ~TGiveBack() { ReturnFreedMemory(); }
    } giveBack;
    done(error);
  });
}

void TDesktopQueue::Run() {
  // A desktop given ready is watched from the start; one chosen here from its first job.
  if (desktop_) Watch();
  for (;;) {
    TJob job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (stopping_) return;
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    RunJob(job);
  }
}

}  // namespace tapestro
