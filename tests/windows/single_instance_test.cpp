// One copy per session on Windows (Wine here): the named mutex and the message-only
// window. The running copy claims on a thread of its own and runs its message loop, as
// another process would; this thread plays the later starts.
#include <gtest/gtest.h>

#include <future>
#include <thread>
#include <vector>

#include "platform/windows/windows_instance.h"

namespace tapestro {
namespace {

constexpr char kId[] = "org.example.Test";

struct TRunningCopy {
  ~TRunningCopy() { End(); }

  // Ends the copy's loop, which a Quit that reached it has ended already.
  void End() {
    if (!thread.joinable()) return;
    ::PostThreadMessageW(threadId, WM_QUIT, 0, 0);
    thread.join();
  }

  DWORD threadId = 0;
  std::promise<bool> claimed;
  std::vector<TInstanceCommand> ran;  // read once the thread has ended
  std::thread thread{[this] {
    threadId = ::GetCurrentThreadId();
    TWindowsInstance copy(kId, [this](TInstanceCommand command) {
      ran.push_back(command);
      if (command == TInstanceCommand::Quit) ::PostQuitMessage(0);  // ends as the program does
    });
    claimed.set_value(copy.Claim());
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
  }};
};

TEST(WindowsSingleInstanceTest, LaterStartsAreRefusedAndHandTheirCommandsToTheFirstCopy) {
  using enum TInstanceCommand;
  TRunningCopy first;
  ASSERT_TRUE(first.claimed.get_future().get());
  // Each later start lives on while it sends: its refused claim must not hold the session.
  for (const TInstanceCommand command : {Show, ChangeNow, Quit}) {
    TWindowsInstance later(kId, nullptr);
    EXPECT_FALSE(later.Claim());
    EXPECT_TRUE(later.Send(command));
  }
  EXPECT_TRUE(TWindowsInstance(kId, nullptr).Claim()) << "Quit returns once the copy has let go";
  first.End();
  EXPECT_EQ(first.ran, (std::vector{Show, ChangeNow, Quit}));
  EXPECT_FALSE(TWindowsInstance(kId, nullptr).Send(Show)) << "no copy runs";
}

}  // namespace
}  // namespace tapestro
