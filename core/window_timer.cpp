#include "core/window_timer.h"

#include <QTimer>
#include <algorithm>
#include <climits>

#include "core/application.h"

namespace tapestro {

namespace {

class TEventLoopTimerSource final : public TTimerSource {
 public:
  TEventLoopTimerSource() {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { tick_(); });
  }

  void Start(int milliseconds, std::function<void()> tick) override {
    tick_ = std::move(tick);
    timer_.start(milliseconds);
  }
  void Stop() override { timer_.stop(); }
  int RemainingTime() const override { return timer_.remainingTime(); }

 private:
  QTimer timer_;
  std::function<void()> tick_;
};

}  // namespace

std::unique_ptr<TTimerSource> CreateEventLoopTimerSource() { return std::make_unique<TEventLoopTimerSource>(); }

TTimer::TTimer(QObject* parent, uint32_t interval, bool enabled, std::unique_ptr<TTimerSource> source)
    : QObject(parent), interval_(interval), enabled_(enabled), source_(std::move(source)) {
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
  source_->Stop();
  if (!enabled_ || interval_ == 0) return;
  source_->Start(static_cast<int>(std::min<uint32_t>(interval_, INT_MAX)), [this] {
    RunGuarded([this] {
      if (OnTimer) OnTimer();
    });
  });
}

}  // namespace tapestro
