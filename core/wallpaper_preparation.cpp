#include "core/wallpaper_preparation.h"

#include "base/errors.h"
#include "base/path.h"
#include "base/text.h"
#include "core/desktop_wallpaper.h"
#include "core/settings_keys.h"
#include "core/wallpaper_placement.h"
#include "core/wallpaper_restore.h"
#include "core/wallpaper_texts.h"

namespace tapestro {

namespace {

// A temporary path this short cannot name a file in a folder; the source goes instead.
constexpr size_t kShortestTemporaryPath = 3;

enum class TWallpaperRoute { AsItIs, Gif, Jpeg };

// Decided on the whole name, folders included, in this order: a JPEG file in a folder
// named "x.bmp" goes as it is.
TWallpaperRoute RouteOf(const std::string& file) {
  const std::string upper = UpperCase(file);
  if (Contains(upper, ".BMP") || Contains(upper, ".PNG")) return TWallpaperRoute::AsItIs;
  if (Contains(upper, ".GIF")) return TWallpaperRoute::Gif;
  return TWallpaperRoute::Jpeg;
}

}  // namespace

void ReadStoredPlacement(TSettings& settings) { settings.ReadSetting(settings::kSection, settings::kWallpaperLoc); }

TWallpaperPreparation::TWallpaperPreparation(TSettings& settings, TProgramValues& values,
                                             TPreparationContext& context, desktop::TDesktopBackend& desktop,
                                             TWallpaperConversions conversions, TPlacementReader readPlacement)
    : settings_(settings),
      values_(values),
      context_(context),
      desktop_(desktop),
      conversions_(std::move(conversions)),
      readPlacement_(std::move(readPlacement)) {}

void TWallpaperPreparation::GetWinDir() { values_.WinDir = context_.WindowsDirectory(); }

TConversionOutcome TWallpaperPreparation::Convert(const std::string& source) {
  switch (RouteOf(source)) {
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
  // A bare list item becomes absolute there, against the listed folder.
  SetDesktopWallpaper(desktop_, file, placement.Code, StrToInt(placement.XText), StrToInt(placement.YText));
  RememberWallpaper(settings_, file, settings_.SettingValue);
  context_.ShowMessage(text::kWallpaperUpdated + context_.LocalTimeText() + " (" + values_.CurrentFile + ")");
  settings_.SettingValue.clear();
  return true;
}

}  // namespace tapestro
