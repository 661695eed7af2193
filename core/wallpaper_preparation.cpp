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

}  // namespace

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

TConversionOutcome TWallpaperPreparation::Convert(const std::string& source) {
  switch (WallpaperRouteOf(source)) {
    case TWallpaperRoute::AsItIs:
      break;
    case TWallpaperRoute::Gif:
      return conversions_.Gif(source, context_);
    case TWallpaperRoute::Jpeg:
      return conversions_.Jpeg(source, context_);
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
  const TConversionOutcome converted = Convert(source);
  if (!converted.Apply) return false;

  readPlacement_(settings_);
  const TPlacementSetting placement = ParsePlacementSetting(settings_.SettingValue);
  values_.CurrentFile = ExtractFileName(source);
  const std::string& file =
      converted.TemporaryPath.size() > kShortestTemporaryPath ? converted.TemporaryPath : source;
  const int32_t x = StrToInt(placement.XText);
  const int32_t y = StrToInt(placement.YText);
  // A bare list item becomes absolute now, against the listed folder: the list may have
  // moved on before the desktop's part runs.
  const std::string absolute = file.empty() ? file : ExpandFileName(file);
  const PlacementCode code = placement.Code;
  runner_(
      [absolute, code, x, y](desktop::TDesktopBackend& desktop) { SetDesktopWallpaper(desktop, absolute, code, x, y); },
      [&settings = settings_, &context = context_, absolute, stored = settings_.SettingValue,
       shown = values_.CurrentFile](std::exception_ptr error) {
        if (error) std::rethrow_exception(error);
        RememberWallpaper(settings, absolute, stored);
        context.ShowMessage(text::kWallpaperUpdated + context.LocalTimeText() + " (" + shown + ")");
        settings.SettingValue.clear();
      });
  return true;
}

}  // namespace tapestro
