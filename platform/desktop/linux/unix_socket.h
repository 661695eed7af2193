#pragma once
// A client of a local stream socket with a time limit on every step, for the
// compositors and wallpaper daemons driven through their own sockets (sway, hyprpaper).
#include <cstddef>
#include <string>

namespace tapestro::desktop {

class TUnixSocket {
 public:
  TUnixSocket() = default;
  ~TUnixSocket();
  TUnixSocket(const TUnixSocket&) = delete;
  TUnixSocket& operator=(const TUnixSocket&) = delete;

  // false with Error() set when nothing listens at path. Every later read and write
  // gives up after timeLimitMs.
  bool Connect(const std::string& path, int timeLimitMs);
  bool WriteAll(const std::string& bytes);
  // Exactly count bytes; false at an early end or after the time limit.
  bool ReadExactly(size_t count, std::string& bytes);
  // Everything up to the peer's end of the stream, at most limit bytes.
  bool ReadToEnd(size_t limit, std::string& bytes);
  const std::string& Error() const { return error_; }

 private:
  bool Fail();
  int fd_ = -1;
  std::string error_;
};

// True when something listens at path.
bool SocketAnswers(const std::string& path);

}  // namespace tapestro::desktop
