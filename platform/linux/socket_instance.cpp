// The session's one copy without a session bus: a lock held with flock while the copy
// runs, and a socket beside it on which the copy takes a later start's command. Both
// live in the user's runtime folder, which only the user can enter.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <chrono>
#include <cstring>
#include <thread>

#include "platform/linux/session_instances.h"

namespace tapestro {

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kAnswer[] = "ok\n";
constexpr size_t kMaxWord = 32;          // longer than every command's word
constexpr int kReadTimeoutMs = 1000;     // a start that connects writes at once
constexpr int kAnswerTimeoutMs = 10000;  // the copy may be busy with a conversion
constexpr auto kQuitWait = std::chrono::seconds(5);
constexpr auto kQuitPoll = std::chrono::milliseconds(20);

// A file descriptor closed with its owner.
class TDescriptor {
 public:
  explicit TDescriptor(int fd = -1) : fd_(fd) {}
  ~TDescriptor() { Reset(); }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  int Get() const { return fd_; }
  void Reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

// Reads until a newline, kMaxWord bytes, the end or the time limit; the text
// without its newline, or "" on any failure.
std::string ReadLine(int fd, int timeoutMs) {
  std::string line;
  char byte = 0;
  pollfd ready{fd, POLLIN, 0};
  while (line.size() < kMaxWord && ::poll(&ready, 1, timeoutMs) == 1 && ::read(fd, &byte, 1) == 1) {
    if (byte == '\n') return line;
    line += byte;
  }
  return std::string();
}

bool WriteAll(int fd, const std::string& text) {
  return ::send(fd, text.data(), text.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(text.size());
}

// Fills address with path; false when the path is too long for a socket's name.
bool SocketAddress(const std::string& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

class TSocketInstance final : public TSingleInstance {
 public:
  TSocketInstance(const std::string& runtimeFolder, const std::string& applicationId)
      : lockPath_(runtimeFolder + "/" + applicationId + ".lock"),
        socketPath_(runtimeFolder + "/" + applicationId + ".socket") {}

  ~TSocketInstance() override {
    // The socket goes first, while the lock still says it is ours to remove.
    if (server_.Get() >= 0) ::unlink(socketPath_.c_str());
  }

  bool Claim() override {
    lock_.Reset(::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    // Without a lock file nothing can be shared: this copy runs on its own.
    if (lock_.Get() < 0) return true;
    if (::flock(lock_.Get(), LOCK_EX | LOCK_NB) != 0) return false;
    sockaddr_un address;
    if (!SocketAddress(socketPath_, address)) return true;
    ::unlink(socketPath_.c_str());  // left by a copy that ended without cleaning up
    server_.Reset(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (::bind(server_.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(server_.Get(), SOMAXCONN) != 0) {
      server_.Reset();
      return true;
    }
    notifier_ = std::make_unique<QSocketNotifier>(server_.Get(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { TakeCommand(); });
    return true;
  }

  bool Send(TInstanceCommand command) override {
    sockaddr_un address;
    if (!SocketAddress(socketPath_, address)) return false;
    const TDescriptor peer(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (::connect(peer.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return false;
    if (!WriteAll(peer.Get(), std::string(InstanceCommandWord(command)) + "\n")) return false;
    if (ReadLine(peer.Get(), kAnswerTimeoutMs) + "\n" != kAnswer) return false;
    if (command == TInstanceCommand::Quit) WaitForLockRelease();
    return true;
  }

 private:
  // One later start: its word, the answer, then the command.
  void TakeCommand() {
    const TDescriptor peer(::accept4(server_.Get(), nullptr, nullptr, SOCK_CLOEXEC));
    if (peer.Get() < 0) return;
    const std::optional<TInstanceCommand> command = InstanceCommandNamed(ReadLine(peer.Get(), kReadTimeoutMs));
    if (!command || !WriteAll(peer.Get(), kAnswer)) return;
    emit CommandReceived(*command);
  }

  void WaitForLockRelease() const {
    const TDescriptor lock(::open(lockPath_.c_str(), O_RDWR | O_CLOEXEC));
    const auto deadline = Clock::now() + kQuitWait;
    while (lock.Get() >= 0 && ::flock(lock.Get(), LOCK_EX | LOCK_NB) != 0 && Clock::now() < deadline)
      std::this_thread::sleep_for(kQuitPoll);
  }

  std::string lockPath_;
  std::string socketPath_;
  TDescriptor lock_;
  TDescriptor server_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace

std::unique_ptr<TSingleInstance> CreateSocketInstance(const std::string& runtimeFolder,
                                                      const std::string& applicationId) {
  return std::make_unique<TSocketInstance>(runtimeFolder, applicationId);
}

}  // namespace tapestro
