#include "app/tool/desktop_session.h"

#include <QCoreApplication>

namespace tapestro::tool {

struct TDesktopSession::TState {
  int argc = 1;
  char name[14] = "tapestro-tool";
  char* argv[2] = {name, nullptr};
  QCoreApplication application{argc, argv};
};

TDesktopSession::TDesktopSession() : state_(std::make_unique<TState>()) {}
TDesktopSession::~TDesktopSession() = default;

}  // namespace tapestro::tool
