// Handing work to the user-interface thread: it runs there, once, in order; the worker
// waits for it and gets its failure; and the painter's wake-up event.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

#include "gif/painter/services.h"

namespace tapestro {
namespace {

TEST(WorkHandOverTest, WorkOfSeveralWorkersRunsOnTheOwnerOnceEachBeforeTheWorkerGoesOn) {
  TWorkHandOver handOver;
  const std::thread::id owner = std::this_thread::get_id();
  constexpr int kWorkers = 4, kItems = 50;
  std::atomic<int> ran{0}, offOwner{0}, wakes{0}, done{0};
  std::vector<int> lastSeen(kWorkers, -1);
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w) {
    workers.emplace_back([&, w] {
      for (int i = 0; i < kItems; ++i) {
        int seen = -1;
        handOver.PostAndWait(
            [&] {
              if (std::this_thread::get_id() != owner) ++offOwner;
              seen = i;
              ++ran;
            },
            [&] { ++wakes; });
        // The work has run by the time the worker goes on.
        lastSeen[static_cast<size_t>(w)] = seen;
        EXPECT_EQ(seen, i);
      }
      ++done;
    });
  }
  while (done < kWorkers) handOver.RunPending();
  for (std::thread& worker : workers) worker.join();
  EXPECT_EQ(ran, kWorkers * kItems);
  EXPECT_EQ(wakes, kWorkers * kItems);
  EXPECT_EQ(offOwner, 0);
  EXPECT_EQ(lastSeen, std::vector<int>(kWorkers, kItems - 1));
  EXPECT_EQ(handOver.RunPending(), 0u);
}

TEST(WorkHandOverTest, AFailureOfTheWorkIsRaisedInTheWorkerNotTheOwner) {
  TWorkHandOver handOver;
  std::atomic<bool> caught{false}, finished{false};
  std::thread worker([&] {
    try {
      handOver.PostAndWait([] { throw std::runtime_error("drawing failed"); }, [] {});
    } catch (const std::runtime_error& error) {
      caught = std::string(error.what()) == "drawing failed";
    }
    finished = true;
  });
  while (!finished) EXPECT_NO_THROW(handOver.RunPending());
  worker.join();
  EXPECT_TRUE(caught);
}

TEST(WakeEventTest, ASetEventWakesOneWaitAndResetsItself) {
  TWakeEvent event;
  EXPECT_FALSE(event.TryConsume());
  EXPECT_FALSE(event.Wait(std::chrono::milliseconds(0)));
  event.Set();
  EXPECT_TRUE(event.Wait(std::chrono::milliseconds(0)));
  EXPECT_FALSE(event.TryConsume());

  std::thread setter([&] { event.Set(); });
  EXPECT_TRUE(event.Wait(std::nullopt));
  setter.join();
}

}  // namespace
}  // namespace tapestro
