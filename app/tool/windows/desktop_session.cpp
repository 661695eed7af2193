#include "app/tool/desktop_session.h"

namespace tapestro::tool {

// The registry and SystemParametersInfoA need nothing of the process.
struct TDesktopSession::TState {};

TDesktopSession::TDesktopSession() = default;
TDesktopSession::~TDesktopSession() = default;

}  // namespace tapestro::tool
