// Programs run for the desktops: no shell, their exit status and last error line, a
// time limit, and a detached start that outlives its caller's wait.
#include "platform/desktop/linux/external_process.h"

#include <gtest/gtest.h>

#include <csignal>

namespace tapestro::desktop {
namespace {

TEST(ExternalProcessTest, OutcomeTellsExitStatusAndTheLastErrorLine) {
  const TProcessOutcome fine = RunProcess({"sh", "-c", "echo noise >&2; exit 0"});
  EXPECT_TRUE(fine.Succeeded());
  EXPECT_EQ(fine.LastErrorLine, "noise");

  const TProcessOutcome failed = RunProcess({"sh", "-c", "echo first >&2; printf 'last one\\n\\n' >&2; exit 4"});
  EXPECT_FALSE(failed.Succeeded());
  EXPECT_EQ(failed.ExitCode, 4);
  EXPECT_EQ(ProcessFailure("sh", failed), "sh failed (exit status 4): last one");

  // Arguments are never read by a shell.
  EXPECT_TRUE(RunProcess({"test", "$(false)", "=", "$(false)"}).Succeeded());

  const TProcessOutcome missing = RunProcess({"no-such-program-here"});
  EXPECT_EQ(ProcessFailure("no-such-program-here", missing), "no-such-program-here was not found on PATH");
  EXPECT_FALSE(OnPath("no-such-program-here"));
  EXPECT_TRUE(OnPath("sh"));
}

TEST(ExternalProcessTest, AProgramOverItsTimeIsEndedAndReported) {
  // The limit ends a program that would never end; nothing is measured.
  const TProcessOutcome hung = RunProcess({"sleep", "1000"}, 50);
  EXPECT_TRUE(hung.TimedOut);
  EXPECT_FALSE(hung.Succeeded());
  EXPECT_EQ(ProcessFailure("sleep", hung), "sleep did not finish within 10 s");
}

TEST(ExternalProcessTest, ADetachedProgramIsWatchedAndEnded) {
  const std::string log = ::testing::TempDir() + "/detached.log";
  TProcessOutcome outcome;
  const pid_t quick = StartDetached({"sh", "-c", "echo cannot show >&2; exit 1"}, log);
  ASSERT_GT(quick, 0);
  EXPECT_FALSE(StillRunningAfter(quick, 60000, log, outcome));
  EXPECT_EQ(ProcessFailure("sh", outcome), "sh failed (exit status 1): cannot show");

  const pid_t lasting = StartDetached({"sleep", "1000"}, log);
  ASSERT_GT(lasting, 0);
  EXPECT_TRUE(StillRunningAfter(lasting, 1, log, outcome));
  EndProcess(lasting);
  EXPECT_NE(::kill(lasting, 0), 0);
}

}  // namespace
}  // namespace tapestro::desktop
