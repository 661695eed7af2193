#pragma once
// The programs some desktops are driven through (swaybg, pcmanfm, the user's own
// command): run without a shell, so no file name is ever read as shell syntax, with a
// time limit, and with the last line of their error output kept for the message.
// Blocking: the program calls the back ends off its window's thread.
#include <sys/types.h>

#include <string>
#include <vector>

#include "platform/desktop/desktop_backend.h"

namespace tapestro::desktop {

struct TProcessOutcome {
  int StartError = 0;  // errno when the program could not be started, else 0
  bool TimedOut = false;
  int ExitCode = -1;  // its exit status, -1 when a signal ended it
  std::string LastErrorLine;

  bool Succeeded() const { return StartError == 0 && !TimedOut && ExitCode == 0; }
};

// True when program names an executable file, itself or (without a slash) on PATH.
bool OnPath(const std::string& program);

// Runs arguments[0], looked up on PATH, with the rest as its arguments; standard input
// and output are /dev/null. Ended with SIGKILL after timeLimitMs.
TProcessOutcome RunProcess(const std::vector<std::string>& arguments, int timeLimitMs = kDesktopTimeLimitMs);

// The reason for a failed outcome, for the message pane: "swaybg was not found on
// PATH", "my-setter did not finish within 10 s", "my-setter failed (exit status 3):
// <its last error line>".
std::string ProcessFailure(const std::string& program, const TProcessOutcome& outcome);

// Starts a program that outlives this one, in a session of its own, its standard error
// written to errorLog. The process id, or -1 with errno set.
pid_t StartDetached(const std::vector<std::string>& arguments, const std::string& errorLog);
// Watches a process StartDetached made for settleMs: false (with its outcome) when it
// ended in that time, true when it is still running.
bool StillRunningAfter(pid_t pid, int settleMs, const std::string& errorLog, TProcessOutcome& outcome);
// Ends a process with SIGTERM (SIGKILL when it lingers) and reaps it when it is ours.
void EndProcess(pid_t pid);

}  // namespace tapestro::desktop
