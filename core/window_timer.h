#pragma once
// A window timer: an interval in milliseconds and an enabled flag.
//  - an interval of 0 never fires;
//  - setting the same interval again, or enabling an enabled timer, leaves the running
//    period alone; a different interval, or enabling a disabled timer, starts a new
//    full period;
//  - intervals above 2^31 - 1 ms (about 24.8 days) are held to that, as the system's
//    own timers do.
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

namespace tapestro {

class TTimer final : public QObject {
  Q_OBJECT

 public:
  explicit TTimer(QObject* parent, uint32_t interval = 1000, bool enabled = true);

  uint32_t Interval() const { return interval_; }
  void SetInterval(uint32_t interval);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Milliseconds to the next tick; -1 when the timer does not run.
  int RemainingTime() const { return timer_.remainingTime(); }

  // Each tick; an error leaving it reaches the default error report.
  std::function<void()> OnTimer;

 private:
  void Restart();

  uint32_t interval_;
  bool enabled_;
  QTimer timer_;
};

}  // namespace tapestro
