#include "core/desktop_wallpaper.h"

#include <array>
#include <utility>

#include "base/errors.h"
#include "base/path.h"
#include "base/text.h"
#include "platform/desktop/desktop_messages.h"

namespace tapestro {

namespace {

// Keeps the store open for one wallpaper change and closes it on every path.
class TOpenDesktopStore {
 public:
  explicit TOpenDesktopStore(desktop::TDesktopBackend& desktop) : desktop_(desktop) {
    // Nothing may be written anywhere else when the store cannot be had.
    if (!desktop_.OpenStore()) throw EDesktopSettingsError(Format(msg::kCreateKeyFailed, ""));
  }
  ~TOpenDesktopStore() { desktop_.CloseStore(); }
  TOpenDesktopStore(const TOpenDesktopStore&) = delete;
  TOpenDesktopStore& operator=(const TOpenDesktopStore&) = delete;

  void Write(const char* name, const std::string& value) {
    switch (desktop_.SetStringValue(name, value)) {
      case desktop::TStoreResult::Stored:
        return;
      case desktop::TStoreResult::StoreUnavailable:
        throw EDesktopSettingsError(Format(msg::kCreateKeyFailed, ""));
      case desktop::TStoreResult::Refused:
        throw EDesktopSettingsError(Format(msg::kSetDataFailed, name));
    }
  }

 private:
  desktop::TDesktopBackend& desktop_;
};

std::string AbsoluteWallpaperPath(const std::string& file) {
  return file.empty() ? file : ExpandFileName(file);
}

std::string StoredCode(PlacementCode code) { return std::to_string(static_cast<int32_t>(code)); }

}  // namespace

TPlacementSetting ParsePlacementSetting(const std::string& value) {
  const size_t comma = value.find(',');
  if (comma != std::string::npos)
    return {PlacementCode::ExplicitOrigin, value.substr(0, comma), value.substr(comma + 1)};
  for (const TNamedPlacement& placement : kNamedPlacements)
    if (value == StoredCode(placement.Code)) return {placement.Code};
  return {PlacementCode::Center};
}

bool IsOriginSetting(const std::string& value) {
  const TPlacementSetting setting = ParsePlacementSetting(value);
  if (setting.Code != PlacementCode::ExplicitOrigin) return false;
  try {
    // As the preparation converts them.
    StrToInt(setting.XText);
    StrToInt(setting.YText);
    return true;
  } catch (const EConvertError&) {
    return false;
  }
}

std::optional<std::string> PlacementSettingOfWord(const std::string& word) {
  for (const TNamedPlacement& placement : kNamedPlacements)
    if (word == placement.Word) return StoredCode(placement.Code);
  if (word.find(',') != std::string::npos) return word;
  return std::nullopt;
}

void SetDesktopWallpaper(desktop::TDesktopBackend& desktop, const std::string& file, PlacementCode placement,
                         int32_t originX, int32_t originY) {
  std::string tile = "0";
  int32_t style = desktop::kStyleOwnSize;
  int32_t x = 0;
  int32_t y = 0;
  switch (placement) {
    case PlacementCode::Tile:
      tile = "1";
      break;
    case PlacementCode::Center:
      break;
    case PlacementCode::SizeToFit: style = desktop::kStyleStretch; break;
    case PlacementCode::Fill: style = desktop::kStyleFill; break;
    case PlacementCode::Fit: style = desktop::kStyleFit; break;
    case PlacementCode::ExplicitOrigin:
      x = originX;
      y = originY;
      break;
  }
  const std::array<std::pair<const char*, std::string>, 5> values{{
      {desktop::kWallpaperValue, AbsoluteWallpaperPath(file)},
      {desktop::kTileWallpaperValue, tile},
      {desktop::kWallpaperStyleValue, std::to_string(style)},
      {desktop::kWallpaperOriginXValue, std::to_string(x)},
      {desktop::kWallpaperOriginYValue, std::to_string(y)},
  }};
  {
    TOpenDesktopStore store(desktop);
    for (const auto& [name, value] : values) store.Write(name, value);
  }
  desktop.Reload();
}

TDesktopRunner RunAtOnce(desktop::TDesktopBackend& desktop) {
  return [&desktop](TDesktopWork work, TDesktopDone done) {
    work(desktop);
    done(nullptr);
  };
}

}  // namespace tapestro
