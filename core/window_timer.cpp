#include "core/window_timer.h"

#include <algorithm>
#include <climits>

#include "core/application.h"

namespace tapestro {

TTimer::TTimer(QObject* parent, uint32_t interval, bool enabled)
    : QObject(parent), interval_(interval), enabled_(enabled) {
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, Guarded([this] {
            if (OnTimer) OnTimer();
          }));
  Restart();
}

void TTimer::SetInterval(uint32_t interval) {
  if (interval == interval_) return;
  interval_ = interval;
  Restart();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

void TTimer::Restart() {
  timer_.stop();
  if (enabled_ && interval_ > 0) timer_.start(static_cast<int>(std::min<uint32_t>(interval_, INT_MAX)));
}

}  // namespace tapestro
