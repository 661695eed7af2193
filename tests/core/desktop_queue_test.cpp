// The desktop's work runs off the window's thread, one job at a time, and the outcomes
// come back to the window's thread in the order the jobs were given.
#include "core/desktop_queue.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <thread>

#include "platform/desktop/desktop_messages.h"
#include "platform/desktop/recording_desktop_backend.h"

namespace tapestro {
namespace {

// A recording desktop that also hands out its monitor watch's callback.
class WatchedDesktop final : public desktop::TDesktopBackend {
 public:
  std::string Name() const override { return "watched"; }
  bool OpenStore() override { return true; }
  desktop::TStoreResult SetStringValue(const std::string&, const std::string&) override {
    return desktop::TStoreResult::Stored;
  }
  void CloseStore() override {}
  void Reload() override {}
  std::unique_ptr<desktop::TMonitorWatch> WatchMonitors(std::function<void()> changed) override {
    Changed = std::move(changed);
    return std::make_unique<desktop::TMonitorWatch>();
  }
  std::function<void()> Changed;
};

template <typename Condition>
bool RunUntil(Condition done) {
  const QDeadlineTimer deadline(5000);
  while (!done() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

TEST(DesktopQueueTest, JobsRunElsewhereAndOutcomesComeBackHereInOrder) {
  auto recording = std::make_unique<desktop::TRecordingDesktopBackend>();
  desktop::TRecordingDesktopBackend* desktop = recording.get();
  TDesktopQueue queue(std::move(recording), {});
  const std::thread::id here = std::this_thread::get_id();
  std::vector<std::thread::id> workers;
  std::vector<std::string> outcomes;
  for (int i = 0; i < 3; ++i) {
    queue.Post(
        [&workers, i](desktop::TDesktopBackend& each) {
          workers.push_back(std::this_thread::get_id());
          if (i == 1) ThrowReloadError("job 1 failed");
          each.Reload();
        },
        [&outcomes, here, i](std::exception_ptr error) {
          EXPECT_EQ(std::this_thread::get_id(), here);
          try {
            if (error) std::rethrow_exception(error);
            outcomes.push_back(std::to_string(i));
          } catch (const EDesktopReloadError& e) {
            outcomes.push_back(e.what());
          }
        });
  }
  ASSERT_TRUE(RunUntil([&] { return outcomes.size() == 3; }));
  EXPECT_EQ(outcomes, (std::vector<std::string>{"0", "The desktop did not take the wallpaper: job 1 failed", "2"}));
  ASSERT_EQ(workers.size(), 3u);
  EXPECT_NE(workers[0], here);
  EXPECT_EQ(desktop->Calls, (std::vector<std::string>{"reload", "reload"}));
}

TEST(DesktopQueueTest, AMonitorChangeIsHandedBackHere) {
  auto watched = std::make_unique<WatchedDesktop>();
  WatchedDesktop* desktop = watched.get();
  int changes = 0;
  TDesktopQueue queue(std::move(watched), {}, [&changes] { ++changes; });
  bool done = false;
  queue.Post([](desktop::TDesktopBackend&) {}, [&done](std::exception_ptr) { done = true; });
  ASSERT_TRUE(RunUntil([&] { return done; }));
  ASSERT_TRUE(desktop->Changed);
  std::thread([desktop] { desktop->Changed(); }).join();
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(RunUntil([&] { return changes == 1; }));
}

}  // namespace
}  // namespace tapestro
