#pragma once
// What the desktop back ends need of the process while `apply` runs: on Linux an
// application object for the D-Bus back ends (it opens no window), nothing on Windows.
#include <memory>

namespace tapestro::tool {

class TDesktopSession {
 public:
  TDesktopSession();
  ~TDesktopSession();
  TDesktopSession(const TDesktopSession&) = delete;
  TDesktopSession& operator=(const TDesktopSession&) = delete;

 private:
  struct TState;
  std::unique_ptr<TState> state_;
};

}  // namespace tapestro::tool
