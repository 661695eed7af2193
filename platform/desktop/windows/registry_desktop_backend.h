#pragma once
// Windows: the current user's "Control Panel\Desktop" registry key, then
// SystemParametersInfoA, which makes the system read the values back and tells the
// other windows that the desktop settings changed.
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
};

}  // namespace tapestro::desktop
