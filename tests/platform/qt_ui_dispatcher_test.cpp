// The Qt dispatcher: work from a painter's thread runs on the user-interface thread,
// by the event loop or by a wait that runs it directly, and its failure goes back.
#include "platform/qt_ui_dispatcher.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <atomic>
#include <stdexcept>
#include <thread>

namespace tapestro {
namespace {

TEST(QtUiDispatcherTest, WorkFromAnotherThreadRunsOnTheUserInterfaceThreadByTheEventLoop) {
  TQtUiDispatcher dispatcher;
  const std::thread::id ui = std::this_thread::get_id();
  std::atomic<bool> ranOnUi{false}, returned{false}, onUiThere{true};
  std::thread worker([&] {
    onUiThere = dispatcher.OnUiThread();
    dispatcher.Synchronize([&] { ranOnUi = std::this_thread::get_id() == ui; });
    returned = true;
  });
  EXPECT_TRUE(QTest::qWaitFor([&] { return returned.load(); }, 10000));
  worker.join();
  EXPECT_TRUE(ranOnUi);
  EXPECT_FALSE(onUiThere);
  EXPECT_TRUE(dispatcher.OnUiThread());
}

TEST(QtUiDispatcherTest, AWaitOnTheUserInterfaceThreadRunsTheWorkWithoutTheEventLoop) {
  TQtUiDispatcher dispatcher;
  std::atomic<bool> finished{false};
  bool ran = false;
  std::thread worker([&] {
    try {
      dispatcher.Synchronize([&] {
        ran = true;
        throw std::runtime_error("frame failed");
      });
    } catch (const std::runtime_error&) {
      finished = true;
    }
  });
  while (!finished) {
    dispatcher.RunPending();
    std::this_thread::yield();
  }
  worker.join();
  EXPECT_TRUE(ran);
  // The queued call that also came finds nothing left to run.
  QCoreApplication::processEvents();
}

TEST(QtUiDispatcherTest, WorkHandedOverOnTheUserInterfaceThreadRunsAtOnce) {
  TQtUiDispatcher dispatcher;
  bool ran = false;
  dispatcher.Synchronize([&] { ran = true; });
  EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace tapestro
