#pragma once
// GNOME, Unity, Budgie, Cinnamon and MATE keep the wallpaper in GSettings; their
// desktops watch the keys and the file. GIO is loaded when a GSettings desktop is first
// asked for (platform/linux/gio_library.h).
#include "platform/desktop/linux/wallpaper_request.h"

namespace tapestro::desktop {

enum class TGSettingsDesktop { Gnome, Cinnamon, Mate };

// The value of "picture-options" for a layout: filling is "zoom", fitting "scaled"; an
// origin has no equivalent there and centres.
const char* GSettingsPictureOption(TWallpaperLayout layout);
// True when the desktop's schema and the keys written here are installed.
bool GSettingsSchemaInstalled(TGSettingsDesktop desktop);
// Why a GSettings desktop does not answer: GIO cannot be loaded, or the schema is missing.
const char* GSettingsUnavailableReason();

class TGSettingsDesktopBackend final : public TCollectingDesktopBackend {
 public:
  explicit TGSettingsDesktopBackend(TGSettingsDesktop desktop) : desktop_(desktop) {}
  std::string Name() const override;

 protected:
  void Apply(const TWallpaperRequest& request) override;

 private:
  TGSettingsDesktop desktop_;
};

}  // namespace tapestro::desktop
