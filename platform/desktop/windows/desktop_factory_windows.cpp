#include "platform/desktop/desktop_factory.h"
#include "platform/desktop/windows/registry_desktop_backend.h"

namespace tapestro::desktop {

std::unique_ptr<TDesktopBackend> CreateDesktopBackend(TDesktopKind kind, const std::string&) {
  if (kind != TDesktopKind::Windows) return nullptr;
  return std::make_unique<TRegistryDesktopBackend>();
}

// The registry keys the wallpaper on its values, not on the file's name: no fresh names.
std::unique_ptr<TDesktopBackend> CreateDesktopBackend(const std::string&) {
  return std::make_unique<TRegistryDesktopBackend>();
}

}  // namespace tapestro::desktop
