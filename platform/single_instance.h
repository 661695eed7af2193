#pragma once
// One copy of the program per session. The first start claims the session; a later
// start hands its command to that copy and ends. On Linux the claim is a well-known
// name on the session bus, or, without a bus, a lock and a socket in $XDG_RUNTIME_DIR;
// on Windows a named mutex and a message.
#include <QObject>
#include <memory>
#include <string>

#include "platform/instance_command.h"

namespace tapestro {

class TSingleInstance : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;
  // Makes this process the session's copy; false when another copy holds the session.
  virtual bool Claim() = 0;
  // Hands command to the session's copy and returns once that copy has taken it, for
  // Quit once it has also let go of the session (or after a few seconds). False when
  // no copy answers.
  virtual bool Send(TInstanceCommand command) = 0;

 signals:
  // A later start's command, on the user-interface thread, after that start has had
  // its answer: the command may end this program.
  void CommandReceived(tapestro::TInstanceCommand command);
};

// The session's copy of the program with this application id. Needs the application
// object. Where the session offers no way to find the other copy, every start claims
// successfully and Send fails.
std::unique_ptr<TSingleInstance> CreateSingleInstance(const std::string& applicationId);

}  // namespace tapestro
