// One copy per session without a session bus: the lock and the socket in a runtime
// folder of the test's own. Each later start sends from a thread of its own, as
// another process would, while this thread runs the first copy's message loop.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTimer>
#include <future>

#include "platform/linux/session_instances.h"
#include "tests/support/temp_dir.h"

namespace tapestro {
namespace {

constexpr char kId[] = "org.example.Test";

class SingleInstanceTest : public ::testing::Test {
 protected:
  std::unique_ptr<TSingleInstance> Copy() const { return CreateSocketInstance(runtime.Path(), kId); }

  // Sends from a later start and lets the first copy take it; the sender's answer.
  bool SendWhileRunning(TInstanceCommand command) {
    std::future<bool> sent = std::async(std::launch::async, [&] { return Copy()->Send(command); });
    while (sent.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return sent.get();
  }

  test::TempDir runtime;
};

TEST_F(SingleInstanceTest, TheFirstCopyHoldsTheSessionUntilItEnds) {
  auto first = Copy();
  ASSERT_TRUE(first->Claim());
  EXPECT_FALSE(Copy()->Claim());
  first.reset();
  EXPECT_TRUE(Copy()->Claim());
}

TEST_F(SingleInstanceTest, EachCommandReachesTheRunningCopyAfterItsAnswer) {
  auto first = Copy();
  ASSERT_TRUE(first->Claim());
  QSignalSpy received(first.get(), &TSingleInstance::CommandReceived);
  for (const auto& [command, word] : kInstanceCommandWords) {
    SCOPED_TRACE(std::string(word));
    if (command == TInstanceCommand::Quit) continue;
    EXPECT_TRUE(SendWhileRunning(command));
    ASSERT_EQ(received.size(), 1);
    EXPECT_EQ(received.takeFirst()[0].value<TInstanceCommand>(), command);
  }
}

TEST_F(SingleInstanceTest, QuitReturnsOnceTheCopyHasLetGoAndWithoutACopySendFails) {
  auto first = Copy();
  ASSERT_TRUE(first->Claim());
  QObject::connect(first.get(), &TSingleInstance::CommandReceived, [&](TInstanceCommand command) {
    // Ends as the program does, once the signal has returned.
    if (command == TInstanceCommand::Quit) QTimer::singleShot(0, [&] { first.reset(); });
  });
  EXPECT_TRUE(SendWhileRunning(TInstanceCommand::Quit));
  EXPECT_TRUE(Copy()->Claim());
  EXPECT_FALSE(Copy()->Send(TInstanceCommand::Show));
}

}  // namespace
}  // namespace tapestro
