#include "platform/desktop/windows/registry_desktop_backend.h"

#include <windows.h>

#include "base/text.h"
#include "platform/desktop/desktop_messages.h"

namespace tapestro::desktop {

namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";

}  // namespace

TRegistryDesktopBackend::~TRegistryDesktopBackend() { CloseStore(); }

bool TRegistryDesktopBackend::OpenStore() {
  CloseStore();
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  key_ = key;
  return true;
}

// Each value goes through a handle opened on the key for that write.
TStoreResult TRegistryDesktopBackend::SetStringValue(const std::string& name, const std::string& value) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS)
    return TStoreResult::StoreUnavailable;
  // REG_SZ data includes the terminating NUL.
  const LSTATUS status = RegSetValueExA(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>(value.size() + 1));
  RegCloseKey(handle);
  if (status != ERROR_SUCCESS) return TStoreResult::Refused;
  if (name == kWallpaperValue) wallpaper_ = value;
  return TStoreResult::Stored;
}

void TRegistryDesktopBackend::CloseStore() {
  if (key_ == nullptr) return;
  RegCloseKey(static_cast<HKEY>(key_));
  key_ = nullptr;
}

void TRegistryDesktopBackend::Reload() {
  // The wallpaper's own path: a null one asks the system to restore its default
  // wallpaper. The profile is not written again; the registry already holds the values.
  if (!SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, wallpaper_.data(), SPIF_SENDWININICHANGE))
    ThrowReloadError(Format(msg::kSystemRefused, static_cast<long long>(GetLastError())));
}

}  // namespace tapestro::desktop
