#include "core/wallpaper_preparation.h"

#include "base/errors.h"
#include "base/path.h"
#include "core/desktop_wallpaper.h"
#include "core/program_texts.h"
#include "core/wallpaper_restore.h"

namespace tapestro {

namespace {

// A temporary path this short cannot name a file in a folder; the source goes instead.
constexpr size_t kShortestTemporaryPath = 3;

// The file's full path: a bare name lies in folder; a name with a folder (a drive
// letter on Windows included) takes the system's full-path rule. An empty name stays
// empty and fails to load as such.
std::string FullPath(const std::string& file, const std::string& folder) {
  if (file.empty()) return file;
  if (!ExtractFilePath(file).empty()) return ExpandFileName(file);
  return ExpandFileName(IncludeTrailingPathDelimiter(folder) + file);
}

}  // namespace

std::string TPreparationContext::ListedFolder() const { return GetCurrentDir(); }

void ReadStoredPlacement(TSettings& settings) { settings.ReadSetting(settings::kSection, settings::kWallpaperLoc); }

TWallpaperPreparation::TWallpaperPreparation(TSettings& settings, TProgramValues& values, TPreparationContext& context,
                                             desktop::TDesktopBackend& desktop, TWallpaperConversions conversions,
                                             TPlacementReader readPlacement)
    : settings_(settings),
      values_(values),
      context_(context),
      runner_(RunAtOnce(desktop)),
      conversions_(std::move(conversions)),
      readPlacement_(std::move(readPlacement)) {}

TWallpaperPreparation::TWallpaperPreparation(TSettings& settings, TProgramValues& values, TPreparationContext& context,
                                             TDesktopRunner runner, TWallpaperConversions conversions)
    : settings_(settings),
      values_(values),
      context_(context),
      runner_(std::move(runner)),
      conversions_(std::move(conversions)),
      readPlacement_(ReadStoredPlacement) {}

void TWallpaperPreparation::GetWinDir() { values_.WinDir = context_.WindowsDirectory(); }

TConversionOutcome TWallpaperPreparation::Convert(const std::string& source, const std::string& path) {
  switch (WallpaperRouteOf(source)) {
    case TWallpaperRoute::AsItIs:
      break;
    case TWallpaperRoute::Gif: return conversions_.Gif(path, context_);
    case TWallpaperRoute::Jpeg: return conversions_.Jpeg(path, context_);
  }
  return {true, ""};
}

bool TWallpaperPreparation::do_wallpaper() {
  GetWinDir();
  if (values_.WinDir.empty()) {
    context_.ShowMessageBox(text::kNoWindowsDirectory);
    return false;
  }
  const std::string source = values_.CurrentFile;
  const std::string path = FullPath(source, context_.ListedFolder());
  const TConversionOutcome converted = Convert(source, path);
  if (!converted.Apply) return false;

  readPlacement_(settings_);
  const TPlacementSetting placement = ParsePlacementSetting(settings_.SettingValue);
  values_.CurrentFile = ExtractFileName(source);
  const std::string& file = converted.TemporaryPath.size() > kShortestTemporaryPath ? converted.TemporaryPath : path;
  const int32_t x = StrToInt(placement.XText);
  const int32_t y = StrToInt(placement.YText);
  const PlacementCode code = placement.Code;
  runner_([file, code, x, y](desktop::TDesktopBackend& desktop) { SetDesktopWallpaper(desktop, file, code, x, y); },
          [&settings = settings_, &context = context_, file, stored = settings_.SettingValue,
           shown = values_.CurrentFile](std::exception_ptr error) {
            if (error) std::rethrow_exception(error);
            RememberWallpaper(settings, file, stored);
            context.ShowMessage(text::kWallpaperUpdated + context.LocalTimeText() + " (" + shown + ")");
            settings.SettingValue.clear();
          });
  return true;
}

}  // namespace tapestro
