#include "platform/desktop/desktop_factory.h"
#include "platform/desktop/windows/registry_desktop_backend.h"

namespace tapestro::desktop {

std::unique_ptr<TDesktopBackend> CreateDesktopBackend(TDesktopKind kind, const TDesktopSetup&) {
  if (kind != TDesktopKind::Windows) return nullptr;
  return std::make_unique<TRegistryDesktopBackend>();
}

// The registry keys the wallpaper on its values, not on the file's name: no fresh names.
// The registry takes every placement, "Fill" (style 10) and "Fit" (6) included, so
// there is no user's command to fall back on.
std::unique_ptr<TDesktopBackend> CreateDesktopBackend(const TDesktopSetup&) {
  return std::make_unique<TRegistryDesktopBackend>();
}

}  // namespace tapestro::desktop
