// One copy per session on Windows (Wine here): the named mutex and the message-only
// window. The running copy lives on a thread of its own with its own message loop, as
// another process would; this thread plays the later starts.
#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <thread>

#include "platform/windows/windows_instance.h"

namespace tapestro {
namespace {

constexpr char kId[] = "org.example.Test";

class TRunningCopy {
 public:
  TRunningCopy() : thread_([this] { Run(); }) { claimed_ = claimedPromise_.get_future().get(); }

  ~TRunningCopy() {
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }

  bool Claimed() const { return claimed_; }

  // The next command the copy ran; nothing when none came within a generous bound.
  std::optional<TInstanceCommand> NextCommand() {
    std::unique_lock lock(mutex_);
    if (!arrived_.wait_for(lock, std::chrono::seconds(30), [this] { return !received_.empty(); })) return std::nullopt;
    const TInstanceCommand command = received_.front();
    received_.pop_front();
    return command;
  }

  // Whether the copy's message loop has ended (after a Quit, as the program ends).
  bool Ended() { return ended_.wait_for(std::chrono::seconds(30)) == std::future_status::ready; }

 private:
  void Run() {
    threadId_ = ::GetCurrentThreadId();
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // makes the thread's queue
    {
      TWindowsInstance copy(kId, [this](TInstanceCommand command) {
        {
          const std::lock_guard lock(mutex_);
          received_.push_back(command);
        }
        arrived_.notify_all();
        if (command == TInstanceCommand::Quit) ::PostQuitMessage(0);
      });
      claimedPromise_.set_value(copy.Claim());
      while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
    }
    endedPromise_.set_value();
  }

  DWORD threadId_ = 0;
  std::promise<bool> claimedPromise_;
  std::promise<void> endedPromise_;
  std::future<void> ended_ = endedPromise_.get_future();
  bool claimed_ = false;
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<TInstanceCommand> received_;
  std::thread thread_;
};

TEST(WindowsSingleInstanceTest, TheFirstCopyHoldsTheSessionUntilItEnds) {
  {
    TRunningCopy first;
    ASSERT_TRUE(first.Claimed());
    EXPECT_FALSE(TWindowsInstance(kId, nullptr).Claim());
    EXPECT_FALSE(TWindowsInstance(kId, nullptr).Claim()) << "a refused claim leaves nothing behind";
  }
  EXPECT_TRUE(TWindowsInstance(kId, nullptr).Claim());
}

TEST(WindowsSingleInstanceTest, EachCommandReachesTheRunningCopy) {
  TRunningCopy first;
  ASSERT_TRUE(first.Claimed());
  for (const auto& [command, word] : kInstanceCommandWords) {
    SCOPED_TRACE(std::string(word));
    if (command == TInstanceCommand::Quit) continue;
    TWindowsInstance later(kId, nullptr);
    ASSERT_FALSE(later.Claim());
    EXPECT_TRUE(later.Send(command));
    EXPECT_EQ(first.NextCommand(), command);
  }
}

TEST(WindowsSingleInstanceTest, QuitReturnsOnceTheCopyHasLetGoAndWithoutACopySendFails) {
  TRunningCopy first;
  ASSERT_TRUE(first.Claimed());
  TWindowsInstance later(kId, nullptr);
  ASSERT_FALSE(later.Claim());
  EXPECT_TRUE(later.Send(TInstanceCommand::Quit));
  EXPECT_TRUE(TWindowsInstance(kId, nullptr).Claim()) << "the session is free once Send returns";
  EXPECT_EQ(first.NextCommand(), TInstanceCommand::Quit);
  ASSERT_TRUE(first.Ended());
  EXPECT_FALSE(TWindowsInstance(kId, nullptr).Send(TInstanceCommand::Show));
}

}  // namespace
}  // namespace tapestro
