#pragma once
// A window timer: an interval in milliseconds and an enabled flag.
//  - an interval of 0 never fires;
//  - setting the same interval again, or enabling an enabled timer, leaves the running
//    period alone; a different interval, or enabling a disabled timer, starts a new
//    full period;
//  - intervals above 2^31 - 1 ms (about 24.8 days) are held to that, as the system's
//    own timers do.
// Its periods are measured by a timer source: the user-interface thread's own timers in
// the program, a source the test moves by hand in tests.
#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>

namespace tapestro {

class TTimerSource {
 public:
  virtual ~TTimerSource() = default;
  // Calls tick at the end of every period of milliseconds from now on; a running
  // period is dropped.
  virtual void Start(int milliseconds, std::function<void()> tick) = 0;
  virtual void Stop() = 0;
  // Milliseconds to the next tick; -1 when stopped.
  virtual int RemainingTime() const = 0;
};

// Periods on the user-interface thread's event loop.
std::unique_ptr<TTimerSource> CreateEventLoopTimerSource();

class TTimer final : public QObject {
  Q_OBJECT

 public:
  explicit TTimer(QObject* parent, uint32_t interval = 1000, bool enabled = true,
                  std::unique_ptr<TTimerSource> source = CreateEventLoopTimerSource());

  uint32_t Interval() const { return interval_; }
  void SetInterval(uint32_t interval);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Milliseconds to the next tick; -1 when the timer does not run.
  int RemainingTime() const { return source_->RemainingTime(); }

  // Each tick; an error leaving it reaches the default error report.
  std::function<void()> OnTimer;

 private:
  void Restart();

  uint32_t interval_;
  bool enabled_;
  std::unique_ptr<TTimerSource> source_;
};

}  // namespace tapestro
