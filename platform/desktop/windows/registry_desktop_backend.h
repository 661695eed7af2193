#pragma once
// Windows: the current user's "Control Panel\Desktop" registry key, then
// SystemParametersInfoA with the wallpaper's path, which makes the system show it with
// the placement values just written and tells the other windows that the desktop
// settings changed.
#include <string>

#include "platform/desktop/desktop_backend.h"

namespace tapestro::desktop {

class TRegistryDesktopBackend final : public TDesktopBackend {
 public:
  TRegistryDesktopBackend() = default;
  ~TRegistryDesktopBackend() override;

  std::string Name() const override { return "windows"; }
  bool OpenStore() override;
  TStoreResult SetStringValue(const std::string& name, const std::string& value) override;
  void CloseStore() override;
  void Reload() override;

 private:
  void* key_ = nullptr;  // HKEY of the open key; windows.h stays in the source file
  std::string wallpaper_;  // the "Wallpaper" value last stored
};

}  // namespace tapestro::desktop
