#include "core/wallpaper_restore.h"

#include "base/errors.h"
#include "base/path.h"
#include "core/desktop_wallpaper.h"
#include "core/program_texts.h"

namespace tapestro {

namespace {

// The setting's value, empty when it is missing.
std::string Stored(TSettings& settings, const char* key) {
  settings.ReadSetting(settings::kSection, key);
  std::string value = settings.SettingValue;
  settings.SettingValue.clear();
  return value == settings::kMissing ? std::string() : value;
}

}  // namespace

desktop::TDesktopSetup DesktopSetupOf(TSettings& settings, const TAppFolders& folders) {
  return {folders.Data, Stored(settings, settings::kWallpaperCommand)};
}

void RememberWallpaper(TSettings& settings, const std::string& file, const std::string& placement) {
  // Kept as the placement taken: a missing or unknown one as the centring it gave.
  const TPlacementSetting taken = ParsePlacementSetting(placement);
  const std::string stored = taken.Code == PlacementCode::ExplicitOrigin
                                 ? taken.XText + "," + taken.YText
                                 : std::to_string(static_cast<int32_t>(taken.Code));
  try {
    settings.WriteSetting(settings::kSection, settings::kLastWallpaper, ExpandFileName(file));
    settings.WriteSetting(settings::kSection, settings::kLastWallpaperLoc, stored);
  } catch (const Exception&) {
    // The change shows; only setting it again at the next start cannot happen.
  }
}

std::optional<TKeptWallpaper> KeptWallpaper(TSettings& settings) {
  const std::string file = Stored(settings, settings::kLastWallpaper);
  if (file.empty()) return std::nullopt;
  return TKeptWallpaper{file, ParsePlacementSetting(Stored(settings, settings::kLastWallpaperLoc))};
}

void SetKeptWallpaper(desktop::TDesktopBackend& desktop, const TKeptWallpaper& kept) {
  SetDesktopWallpaper(desktop, kept.File, kept.Placement.Code, StrToInt(kept.Placement.XText),
                      StrToInt(kept.Placement.YText));
}

TRestoreOutcome RestoreLastWallpaper(TSettings& settings, desktop::TDesktopBackend& desktop, bool evenWhereKept) {
  const std::optional<TKeptWallpaper> kept = KeptWallpaper(settings);
  if (!kept) return TRestoreOutcome::NothingKept;
  if (!desktop.ForgetsWallpaper() && !evenWhereKept) return TRestoreOutcome::DesktopKeepsIt;
  SetKeptWallpaper(desktop, *kept);
  return TRestoreOutcome::Restored;
}

TStartUpDesktop RestoreAtStart(const TAppFolders& folders) {
  TSettings settings(folders.SettingsFile());
  if (!KeptWallpaper(settings)) return {};
  TStartUpDesktop startUp{desktop::CreateDesktopBackend(DesktopSetupOf(settings, folders)), ""};
  try {
    RestoreLastWallpaper(settings, *startUp.Desktop);
  } catch (const Exception& error) {
    startUp.Error = error.what();
  }
  return startUp;
}

}  // namespace tapestro
