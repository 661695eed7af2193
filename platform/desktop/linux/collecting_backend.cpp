#include "platform/desktop/linux/collecting_backend.h"

#include "platform/desktop/desktop_messages.h"

namespace tapestro::desktop {

bool TCollectingDesktopBackend::OpenStore() {
  values_.Clear();
  return true;
}

TStoreResult TCollectingDesktopBackend::SetStringValue(const std::string& name, const std::string& value) {
  return values_.Set(name, value) ? TStoreResult::Stored : TStoreResult::Refused;
}

void TCollectingDesktopBackend::Reload() {
  const TWallpaperRequest request = values_.Request();
  if (request.File.empty()) ThrowReloadError(msg::kNoWallpaperFile);
  Apply(request);
}

}  // namespace tapestro::desktop
