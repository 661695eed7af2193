#pragma once
// The application's default error report: an error no handler caught is shown in a
// message box with its text, and the program goes on. EAbort ends a handler quietly.
#include <exception>
#include <utility>

namespace tapestro {

void ShowException(const std::exception& error);

// Runs a handler so that an error leaving it reaches the report instead of unwinding
// through the windowing library.
template <typename Handler>
void RunGuarded(Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
  } catch (const std::exception& error) {
    ShowException(error);
  }
}

// A handler without arguments for a signal connection that runs guarded.
template <typename Handler>
auto Guarded(Handler handler) {
  return [handler = std::move(handler)] { RunGuarded(handler); };
}

}  // namespace tapestro
