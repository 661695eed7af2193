#pragma once
// The two ways a Linux session finds the program's running copy, each usable on its
// own (tests take the one they exercise): a well-known name on the session bus, and a
// lock with a socket in the user's runtime folder where there is no bus.
#include <memory>
#include <string>

#include "platform/single_instance.h"

namespace tapestro {

// The name applicationId on the session bus, with the freedesktop Application
// interface at its object path: Activate shows the window, ActivateAction runs
// "change-now" or "quit".
std::unique_ptr<TSingleInstance> CreateBusInstance(const std::string& applicationId);

// runtimeFolder/applicationId.lock, held with flock while the copy runs, and
// runtimeFolder/applicationId.socket, where a later start writes its command's word
// and a newline and reads "ok" back.
std::unique_ptr<TSingleInstance> CreateSocketInstance(const std::string& runtimeFolder,
                                                      const std::string& applicationId);

}  // namespace tapestro
