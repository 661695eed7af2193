#include "core/window_timer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <stdexcept>

#include "tests/core/message_box_watcher.h"

namespace tapestro {
namespace {

void ProcessEventsFor(int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

class WindowTimerTest : public ::testing::Test {
 protected:
  void SetUp() override { timer.OnTimer = [this] { ++ticks; }; }
  TTimer timer{nullptr, 200, false};
  int ticks = 0;
};

TEST_F(WindowTimerTest, DisabledOrZeroIntervalNeverFires) {
  ProcessEventsFor(260);
  EXPECT_EQ(ticks, 0);
  timer.SetInterval(0);
  timer.SetEnabled(true);
  EXPECT_EQ(timer.RemainingTime(), -1);
  ProcessEventsFor(100);
  EXPECT_EQ(ticks, 0);
  timer.SetInterval(30);
  ProcessEventsFor(100);
  EXPECT_GE(ticks, 2);
}

TEST_F(WindowTimerTest, SameIntervalOrEnablingAgainKeepsTheRunningPeriod) {
  timer.SetEnabled(true);
  ProcessEventsFor(120);
  timer.SetInterval(200);
  timer.SetEnabled(true);
  EXPECT_LE(timer.RemainingTime(), 100);
  EXPECT_GE(timer.RemainingTime(), 0);
}

TEST_F(WindowTimerTest, NewIntervalOrReEnablingStartsAFullPeriod) {
  timer.SetEnabled(true);
  ProcessEventsFor(120);
  timer.SetInterval(300);
  EXPECT_GT(timer.RemainingTime(), 250);
  ProcessEventsFor(120);
  timer.SetEnabled(false);
  EXPECT_EQ(timer.RemainingTime(), -1);
  timer.SetEnabled(true);
  EXPECT_GT(timer.RemainingTime(), 250);
}

TEST_F(WindowTimerTest, AnErrorInATickIsReportedAndTheTimerGoesOn) {
  test::MessageBoxWatcher boxes;
  timer.OnTimer = [this] {
    ++ticks;
    throw std::runtime_error("tick failed");
  };
  timer.SetInterval(40);
  timer.SetEnabled(true);
  ProcessEventsFor(300);
  EXPECT_GE(ticks, 2);
  ASSERT_FALSE(boxes.Texts().empty());
  EXPECT_EQ(boxes.Texts().front(), "tick failed");
}

TEST_F(WindowTimerTest, HugeIntervalsAreHeldToTheSystemMaximum) {
  timer.SetInterval(4000000000u);
  timer.SetEnabled(true);
  EXPECT_EQ(timer.Interval(), 4000000000u);
  EXPECT_GT(timer.RemainingTime(), 2000000000);
}

}  // namespace
}  // namespace tapestro
