#include "platform/desktop/recording_desktop_backend.h"

#include "platform/desktop/desktop_messages.h"

namespace tapestro::desktop {

bool TRecordingDesktopBackend::OpenStore() {
  Calls.push_back("open");
  return !FailOpen;
}

TStoreResult TRecordingDesktopBackend::SetStringValue(const std::string& name, const std::string& value) {
  Calls.push_back("set " + name + "=" + value);
  return FailingWrite == writes_++ ? FailingWriteResult : TStoreResult::Stored;
}

void TRecordingDesktopBackend::CloseStore() { Calls.push_back("close"); }

void TRecordingDesktopBackend::Reload() {
  Calls.push_back("reload");
  if (FailReload) ThrowReloadError("recorded failure");
}

}  // namespace tapestro::desktop
