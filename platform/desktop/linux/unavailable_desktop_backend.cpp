#include "platform/desktop/linux/unavailable_desktop_backend.h"

#include "platform/desktop/desktop_messages.h"

namespace tapestro::desktop {

void TUnavailableDesktopBackend::Apply(const TWallpaperRequest&) { ThrowReloadError(msg::kNoDesktop); }

}  // namespace tapestro::desktop
