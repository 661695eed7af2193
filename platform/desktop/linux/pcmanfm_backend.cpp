#include "platform/desktop/linux/pcmanfm_backend.h"

#include "platform/desktop/desktop_messages.h"
#include "platform/desktop/linux/external_process.h"
#include "platform/desktop/linux/fresh_wallpaper_name.h"

namespace tapestro::desktop {

const char* PcmanfmProgram(TPcmanfmDesktop desktop) {
  return desktop == TPcmanfmDesktop::Lxqt ? "pcmanfm-qt" : "pcmanfm";
}

const char* PcmanfmMode(TPcmanfmDesktop desktop, TWallpaperLayout layout) {
  switch (layout) {
    case TWallpaperLayout::Tile: return "tile";
    case TWallpaperLayout::Stretch: return "stretch";
    case TWallpaperLayout::Fill: return desktop == TPcmanfmDesktop::Lxqt ? "zoom" : "crop";
    case TWallpaperLayout::Fit: return "fit";
    case TWallpaperLayout::Center:
    case TWallpaperLayout::Origin: break;
  }
  return "center";
}

std::vector<std::string> PcmanfmArguments(TPcmanfmDesktop desktop, const std::string& file, TWallpaperLayout layout) {
  return {PcmanfmProgram(desktop), "--set-wallpaper", file, "--wallpaper-mode", PcmanfmMode(desktop, layout)};
}

std::string TPcmanfmDesktopBackend::Name() const { return desktop_ == TPcmanfmDesktop::Lxqt ? "lxqt" : "lxde"; }

void TPcmanfmDesktopBackend::Apply(const TWallpaperRequest& request) {
  TFreshWallpaperName fresh(freshNameFolder_, request.File);
  const TProcessOutcome outcome = RunProcess(PcmanfmArguments(desktop_, fresh.Path(), request.Layout));
  if (!outcome.Succeeded()) ThrowReloadError(ProcessFailure(PcmanfmProgram(desktop_), outcome));
  fresh.Commit();
}

}  // namespace tapestro::desktop
