#pragma once
// Starting the program with the user's session. On Linux an autostart desktop file,
// $XDG_CONFIG_HOME/autostart/ID.desktop; on Windows a value under
// HKCU\Software\Microsoft\Windows\CurrentVersion\Run.
#include <memory>
#include <string>

namespace tapestro {

struct TAutostartEntry {
  std::string Id;       // the application id: the entry's name, and its icon's
  std::string Name;     // what the session's settings show
  std::string Comment;  // what they show beside it
  std::string Program;  // the absolute path of the executable to start
};

class TAutostart {
 public:
  virtual ~TAutostart() = default;
  // Whether the next session starts the program, read from the system at each call.
  virtual bool Enabled() const = 0;
  // Writes or removes the entry; an error with the system's reason when that fails.
  virtual void SetEnabled(bool enabled) = 0;
};

std::unique_ptr<TAutostart> CreateAutostart(TAutostartEntry entry);

}  // namespace tapestro
