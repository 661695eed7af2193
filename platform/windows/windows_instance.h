#pragma once
// The session's one copy on Windows, without Qt: the named mutex "Local\ID" marks the
// running copy, and a hidden message-only window of the class ID takes a later start's
// command as WM_COPYDATA. The window belongs to the thread that claims, whose message
// loop (Qt's, in the program) delivers the commands.
#include <windows.h>

#include <functional>
#include <string>

#include "platform/instance_command.h"

namespace tapestro {

class TWindowsInstance {
 public:
  // Called on the claiming thread's message loop, after the sender has had its answer:
  // the command may end the program.
  using TCommandHandler = std::function<void(TInstanceCommand)>;

  TWindowsInstance(const std::string& applicationId, TCommandHandler handler);
  ~TWindowsInstance();
  TWindowsInstance(const TWindowsInstance&) = delete;
  TWindowsInstance& operator=(const TWindowsInstance&) = delete;

  // Makes this process the session's copy; false when another copy holds the session.
  bool Claim();
  // Hands command to the session's copy and returns once that copy has taken it, for
  // Quit once it has also let go of the session (or after a few seconds). False when no
  // copy answers.
  bool Send(TInstanceCommand command);

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool SessionHeld() const;
  HWND FindCopyWindow() const;

  std::wstring mutexName_;
  std::wstring className_;
  TCommandHandler handler_;
  HANDLE mutex_ = nullptr;
  HWND window_ = nullptr;
};

}  // namespace tapestro
