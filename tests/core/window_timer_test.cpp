// The window timer's rules on a timer source the test moves by hand: no test waits for
// real time to pass.
#include "core/window_timer.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>

#include "tests/core/message_box_watcher.h"

namespace tapestro {
namespace {

// Time passes only when the test calls Advance.
class ManualTimerSource final : public TTimerSource {
 public:
  void Start(int milliseconds, std::function<void()> tick) override {
    period_ = milliseconds;
    elapsed_ = 0;
    tick_ = std::move(tick);
    running_ = true;
  }
  void Stop() override { running_ = false; }
  int RemainingTime() const override { return running_ ? period_ - elapsed_ : -1; }

  // Lets milliseconds pass, ticking at the end of each period; a tick may restart or
  // stop the timer.
  void Advance(int milliseconds) {
    while (running_ && milliseconds >= period_ - elapsed_) {
      milliseconds -= period_ - elapsed_;
      elapsed_ = 0;
      const std::function<void()> tick = tick_;
      tick();
    }
    if (running_) elapsed_ += milliseconds;
  }
  int Period() const { return period_; }

 private:
  int period_ = 0;
  int elapsed_ = 0;
  bool running_ = false;
  std::function<void()> tick_;
};

class WindowTimerTest : public ::testing::Test {
 protected:
  WindowTimerTest() {
    auto manual = std::make_unique<ManualTimerSource>();
    clock = manual.get();
    timer = std::make_unique<TTimer>(nullptr, 200, false, std::move(manual));
    timer->OnTimer = [this] { ++ticks; };
  }

  ManualTimerSource* clock;
  std::unique_ptr<TTimer> timer;
  int ticks = 0;
};

TEST_F(WindowTimerTest, DisabledOrZeroIntervalNeverFires) {
  clock->Advance(1000);
  EXPECT_EQ(ticks, 0);
  timer->SetInterval(0);
  timer->SetEnabled(true);
  EXPECT_EQ(timer->RemainingTime(), -1);
  clock->Advance(1000);
  EXPECT_EQ(ticks, 0);
  timer->SetInterval(30);
  clock->Advance(100);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(timer->RemainingTime(), 20);
}

TEST_F(WindowTimerTest, SameIntervalOrEnablingAgainKeepsTheRunningPeriod) {
  timer->SetEnabled(true);
  clock->Advance(120);
  timer->SetInterval(200);
  timer->SetEnabled(true);
  EXPECT_EQ(timer->RemainingTime(), 80);
  clock->Advance(80);
  EXPECT_EQ(ticks, 1);
}

TEST_F(WindowTimerTest, NewIntervalOrReEnablingStartsAFullPeriod) {
  timer->SetEnabled(true);
  clock->Advance(120);
  timer->SetInterval(300);
  EXPECT_EQ(timer->RemainingTime(), 300);
  clock->Advance(120);
  timer->SetEnabled(false);
  EXPECT_EQ(timer->RemainingTime(), -1);
  clock->Advance(1000);
  EXPECT_EQ(ticks, 0);
  timer->SetEnabled(true);
  EXPECT_EQ(timer->RemainingTime(), 300);
}

TEST_F(WindowTimerTest, AnErrorInATickIsReportedAndTheTimerGoesOn) {
  test::MessageBoxWatcher boxes;
  timer->OnTimer = [this] {
    ++ticks;
    throw std::runtime_error("tick failed");
  };
  timer->SetInterval(40);
  timer->SetEnabled(true);
  clock->Advance(100);
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>(2, "tick failed"));
  EXPECT_TRUE(timer->Enabled());
}

TEST_F(WindowTimerTest, HugeIntervalsAreHeldToTheSystemMaximum) {
  timer->SetInterval(4000000000u);
  timer->SetEnabled(true);
  EXPECT_EQ(timer->Interval(), 4000000000u);
  EXPECT_EQ(clock->Period(), INT_MAX);
}

}  // namespace
}  // namespace tapestro
