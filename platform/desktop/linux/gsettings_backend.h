#pragma once
// GNOME, Unity, Budgie, Cinnamon and MATE keep the wallpaper in GSettings; their
// desktops watch the keys and the file. GIO stays inside the source file: its headers
// clash with Qt's keywords.
#include "platform/desktop/linux/wallpaper_request.h"

namespace tapestro::desktop {

enum class TGSettingsDesktop { Gnome, Cinnamon, Mate };

// The value of "picture-options" for a layout: filling is "zoom", fitting "scaled"; an
// origin has no equivalent there and centres.
const char* GSettingsPictureOption(TWallpaperLayout layout);
// True when the desktop's schema and the keys written here are installed.
bool GSettingsSchemaInstalled(TGSettingsDesktop desktop);

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
