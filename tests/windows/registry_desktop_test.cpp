// The registry back end against the registry and SystemParametersInfoA of the system it
// runs on (Wine here): the five values as REG_SZ strings with their NUL, and the
// wallpaper's path handed to the system.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "platform/desktop/desktop_factory.h"
#include "platform/desktop/windows/registry_desktop_backend.h"

namespace tapestro::desktop {
namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";

struct TRegistryString {
  DWORD Type = 0;
  DWORD Size = 0;
  std::string Text;
};

std::optional<TRegistryString> ReadValue(const char* keyName, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyName, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
  TRegistryString value;
  char data[MAX_PATH * 2] = {};
  value.Size = sizeof data;
  const LSTATUS status = RegQueryValueExA(key, name, nullptr, &value.Type, reinterpret_cast<BYTE*>(data), &value.Size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  value.Text = data;
  return value;
}

std::optional<TRegistryString> ReadDesktopValue(const char* name) { return ReadValue(kDesktopKey, name); }

bool RunningUnderWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

// The path the system was handed by the last SPI_SETDESKWALLPAPER. Wine keeps it under
// its temporary parameters (a null pointer leaves them alone and its SPI_GETDESKWALLPAPER
// reads the registry value); Windows answers SPI_GETDESKWALLPAPER with it (a null pointer
// brings back its default wallpaper).
std::string WallpaperHandedToTheSystem() {
  if (RunningUnderWine()) {
    const auto handed =
        ReadValue("Software\\Wine\\Temporary System Parameters\\Control Panel\\Desktop", kWallpaperValue);
    return handed ? handed->Text : "(none)";
  }
  char path[MAX_PATH + 1] = {};
  if (!SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof path, path, 0)) return "(refused)";
  return path;
}

void Apply(TDesktopBackend& backend, const std::string& wallpaper, const std::string& tile) {
  ASSERT_TRUE(backend.OpenStore());
  for (const auto& [name, text] : {std::pair<const char*, std::string>{kWallpaperValue, wallpaper},
                                   {kTileWallpaperValue, tile},
                                   {kWallpaperStyleValue, "0"},
                                   {kWallpaperOriginXValue, "-20"},
                                   {kWallpaperOriginYValue, "10"}})
    ASSERT_EQ(backend.SetStringValue(name, text), TStoreResult::Stored) << name;
  backend.CloseStore();
  backend.Reload();
}

TEST(RegistryDesktopTest, ValuesAreNulTerminatedStringsAndTheSystemGetsThePath) {
  const std::unique_ptr<TDesktopBackend> backend = CreateDesktopBackend(TDesktopKind::Windows, {});
  ASSERT_NE(backend, nullptr);
  EXPECT_EQ(backend->Name(), "windows");
  Apply(*backend, "C:\\pictures\\first.bmp", "1");
  EXPECT_EQ(WallpaperHandedToTheSystem(), "C:\\pictures\\first.bmp");
  // A second change: the system shows the new path, not the one it had.
  Apply(*backend, "C:\\pictures\\second wallpaper.bmp", "0");
  EXPECT_EQ(WallpaperHandedToTheSystem(), "C:\\pictures\\second wallpaper.bmp");

  for (const auto& [name, text] :
       {std::pair<const char*, std::string>{kWallpaperValue, "C:\\pictures\\second wallpaper.bmp"},
        {kTileWallpaperValue, "0"},
        {kWallpaperStyleValue, "0"},
        {kWallpaperOriginXValue, "-20"},
        {kWallpaperOriginYValue, "10"}}) {
    const std::optional<TRegistryString> stored = ReadDesktopValue(name);
    ASSERT_TRUE(stored.has_value()) << name;
    EXPECT_EQ(stored->Type, static_cast<DWORD>(REG_SZ)) << name;
    EXPECT_EQ(stored->Text, text) << name;
    EXPECT_EQ(stored->Size, text.size() + 1) << name << ": the data holds its terminating NUL";
  }
}

TEST(RegistryDesktopTest, TheDesktopKeyIsCreatedWhenMissing) {
  RegDeleteTreeA(HKEY_CURRENT_USER, kDesktopKey);
  ASSERT_FALSE(ReadDesktopValue(kWallpaperValue).has_value());
  TRegistryDesktopBackend backend;
  Apply(backend, "C:\\pictures\\after a reset.bmp", "0");
  const std::optional<TRegistryString> stored = ReadDesktopValue(kWallpaperValue);
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->Text, "C:\\pictures\\after a reset.bmp");
}

}  // namespace
}  // namespace tapestro::desktop
