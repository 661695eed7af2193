#include "platform/desktop/linux/external_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "base/text.h"

extern char** environ;

namespace tapestro::desktop {

namespace {

using TClock = std::chrono::steady_clock;

// Enough of a program's error output to hold its last line.
constexpr size_t kErrorTailBytes = 4096;
// How often a process is looked at where the kernel cannot tell when it ends.
constexpr int kPollStepMs = 10;
constexpr int kEndGraceMs = 1000;

class TFd {
 public:
  explicit TFd(int fd = -1) : fd_(fd) {}
  ~TFd() { Close(); }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  int Get() const { return fd_; }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

// The spawn attributes and file actions of one start, released on every path.
class TSpawnSetup {
 public:
  TSpawnSetup() {
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    // The child starts with no blocked signals and default handlers, whatever this
    // program has set for itself.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
  }
  ~TSpawnSetup() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
  }
  TSpawnSetup(const TSpawnSetup&) = delete;
  TSpawnSetup& operator=(const TSpawnSetup&) = delete;

  // errno of the start, 0 when it started.
  int Spawn(const std::vector<std::string>& arguments, short flags, pid_t& pid) {
    posix_spawnattr_setflags(&attributes, static_cast<short>(flags | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF));
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    if (arguments.empty()) return ENOENT;
    return posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  }

  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
};

int MillisecondsLeft(TClock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now()).count();
  return static_cast<int>(std::max<decltype(left)>(0, left));
}

int ExitCodeOf(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

std::string LastLine(std::string_view text) {
  while (!text.empty() && std::string_view("\r\n \t").find(text.back()) != std::string_view::npos)
    text.remove_suffix(1);
  const size_t newline = text.find_last_of('\n');
  return std::string(newline == std::string_view::npos ? text : text.substr(newline + 1));
}

void KeepTail(std::string& tail, const char* data, size_t size) {
  tail.append(data, size);
  if (tail.size() > kErrorTailBytes) tail.erase(0, tail.size() - kErrorTailBytes);
}

// Reads what is in the pipe now; false at its end.
bool ReadAvailable(int fd, std::string& tail) {
  char buffer[1024];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got > 0) {
      KeepTail(tail, buffer, static_cast<size_t>(got));
      continue;
    }
    if (got < 0 && errno == EINTR) continue;
    return got < 0 && errno == EAGAIN;
  }
}

std::string FileTail(const std::string& path) {
  TFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) return "";
  const off_t size = ::lseek(file.Get(), 0, SEEK_END);
  ::lseek(file.Get(), std::max<off_t>(0, size - static_cast<off_t>(kErrorTailBytes)), SEEK_SET);
  std::string tail;
  ReadAvailable(file.Get(), tail);
  return tail;
}

// Waits until pid ends or the deadline passes, reading its error output meanwhile;
// true with its wait status when it ended.
bool WaitForExit(pid_t pid, TClock::time_point deadline, int errorFd, std::string& tail, int& status) {
  // A descriptor that turns readable when pid ends (-1 on kernels before 5.3).
  const TFd exitFd(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));
  bool errorOpen = errorFd >= 0;
  for (;;) {
    const pid_t ended = ::waitpid(pid, &status, WNOHANG);
    if (ended == pid || (ended < 0 && errno == ECHILD)) {
      if (errorOpen) ReadAvailable(errorFd, tail);
      return true;
    }
    const int left = MillisecondsLeft(deadline);
    if (left == 0) return false;
    pollfd watched[2];
    nfds_t count = 0;
    if (errorOpen) watched[count++] = {errorFd, POLLIN, 0};
    if (exitFd.Get() >= 0) watched[count++] = {exitFd.Get(), POLLIN, 0};
    ::poll(watched, count, exitFd.Get() >= 0 ? left : std::min(left, kPollStepMs));
    if (errorOpen && watched[0].revents != 0) errorOpen = ReadAvailable(errorFd, tail);
  }
}

}  // namespace

bool OnPath(const std::string& program) {
  if (program.empty()) return false;
  if (program.find('/') != std::string::npos) return ::access(program.c_str(), X_OK) == 0;
  const char* path = std::getenv("PATH");
  std::string_view folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  while (true) {
    const size_t colon = folders.find(':');
    const std::string_view folder = folders.substr(0, colon);
    std::string candidate(folder.empty() ? std::string_view(".") : folder);
    candidate.append("/").append(program);
    if (::access(candidate.c_str(), X_OK) == 0) return true;
    if (colon == std::string_view::npos) return false;
    folders.remove_prefix(colon + 1);
  }
}

TProcessOutcome RunProcess(const std::vector<std::string>& arguments, int timeLimitMs) {
  TProcessOutcome outcome;
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) {
    outcome.StartError = errno;
    return outcome;
  }
  TFd readEnd(ends[0]);
  TFd writeEnd(ends[1]);
  pid_t pid = -1;
  {
    TSpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&setup.actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&setup.actions, writeEnd.Get(), STDERR_FILENO);
    outcome.StartError = setup.Spawn(arguments, 0, pid);
  }
  writeEnd.Close();
  if (outcome.StartError != 0) return outcome;
  ::fcntl(readEnd.Get(), F_SETFL, O_NONBLOCK);

  std::string tail;
  int status = 0;
  const TClock::time_point deadline = TClock::now() + std::chrono::milliseconds(timeLimitMs);
  if (!WaitForExit(pid, deadline, readEnd.Get(), tail, status)) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    outcome.TimedOut = true;
  }
  outcome.ExitCode = ExitCodeOf(status);
  outcome.LastErrorLine = LastLine(tail);
  return outcome;
}

std::string ProcessFailure(const std::string& program, const TProcessOutcome& outcome) {
  if (outcome.StartError == ENOENT) return Format("%s was not found on PATH", program);
  if (outcome.StartError != 0)
    return Format("%s could not be started (%s)", program, std::strerror(outcome.StartError));
  if (outcome.TimedOut) return Format("%s did not finish within %d s", program, kDesktopTimeLimitMs / 1000);
  const std::string status =
      outcome.ExitCode < 0 ? std::string("ended by a signal") : Format("exit status %d", outcome.ExitCode);
  if (outcome.LastErrorLine.empty()) return Format("%s failed (%s)", program, status);
  return Format("%s failed (%s): %s", program, status, outcome.LastErrorLine);
}

pid_t StartDetached(const std::vector<std::string>& arguments, const std::string& errorLog) {
  pid_t pid = -1;
  TSpawnSetup setup;
  posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&setup.actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&setup.actions, STDERR_FILENO, errorLog.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const int error = setup.Spawn(arguments, POSIX_SPAWN_SETSID, pid);
  if (error == 0) return pid;
  errno = error;
  return -1;
}

bool StillRunningAfter(pid_t pid, int settleMs, const std::string& errorLog, TProcessOutcome& outcome) {
  std::string unused;
  int status = 0;
  if (!WaitForExit(pid, TClock::now() + std::chrono::milliseconds(settleMs), -1, unused, status)) return true;
  outcome.ExitCode = ExitCodeOf(status);
  outcome.LastErrorLine = LastLine(FileTail(errorLog));
  return false;
}

void EndProcess(pid_t pid) {
  if (pid <= 0 || ::kill(pid, SIGTERM) != 0) return;
  std::string unused;
  int status = 0;
  // A process another program started is not ours to reap: the signal is enough.
  const pid_t ended = ::waitpid(pid, &status, WNOHANG);
  if (ended == pid || (ended < 0 && errno == ECHILD)) return;
  if (WaitForExit(pid, TClock::now() + std::chrono::milliseconds(kEndGraceMs), -1, unused, status)) return;
  ::kill(pid, SIGKILL);
  ::waitpid(pid, &status, 0);
}

}  // namespace tapestro::desktop
