#include "platform/desktop/linux/unix_socket.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tapestro::desktop {

namespace {

constexpr int kProbeTimeLimitMs = 1000;

}  // namespace

TUnixSocket::~TUnixSocket() {
  if (fd_ >= 0) ::close(fd_);
}

bool TUnixSocket::Fail() {
  error_ = errno == EAGAIN || errno == EWOULDBLOCK ? "no answer in time" : std::strerror(errno);
  return false;
}

bool TUnixSocket::Connect(const std::string& path, int timeLimitMs) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) {
    errno = ENAMETOOLONG;
    return Fail();
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd_ < 0) return Fail();
  const timeval limit{timeLimitMs / 1000, (timeLimitMs % 1000) * 1000};
  ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  ::setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
  if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return Fail();
  return true;
}

bool TUnixSocket::WriteAll(const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t wrote = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return Fail();
    sent += static_cast<size_t>(wrote);
  }
  return true;
}

bool TUnixSocket::ReadExactly(size_t count, std::string& bytes) {
  bytes.resize(count);
  size_t got = 0;
  while (got < count) {
    const ssize_t read = ::recv(fd_, bytes.data() + got, count - got, 0);
    if (read < 0 && errno == EINTR) continue;
    if (read == 0) errno = ECONNRESET;
    if (read <= 0) return Fail();
    got += static_cast<size_t>(read);
  }
  return true;
}

bool TUnixSocket::ReadToEnd(size_t limit, std::string& bytes) {
  bytes.clear();
  char buffer[1024];
  while (bytes.size() < limit) {
    const ssize_t read = ::recv(fd_, buffer, sizeof buffer, 0);
    if (read < 0 && errno == EINTR) continue;
    if (read < 0) return Fail();
    if (read == 0) return true;
    bytes.append(buffer, static_cast<size_t>(read));
  }
  return true;
}

bool SocketAnswers(const std::string& path) {
  TUnixSocket socket;
  return socket.Connect(path, kProbeTimeLimitMs);
}

}  // namespace tapestro::desktop
