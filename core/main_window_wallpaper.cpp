// Wallpaper preparation in the main window: the same preparation the tool runs, with
// the window's message pane, message boxes and desktop.
#include "core/main_window.h"
#include "core/wallpaper_restore.h"
#include "platform/desktop/desktop_factory.h"

namespace tapestro {

desktop::TDesktopBackend& TForm1::DesktopBackend() {
  // Chosen at the first change rather than at start: asking the desktops whether they
  // answer costs time the start-up does not need to spend.
  if (!Desktop) Desktop = desktop::CreateDesktopBackend(DesktopSetupOf(Settings, Folders));
  return *Desktop;
}

void TForm1::do_wallpaper() {
  TWallpaperPreparation(Settings, Values, preparationContext_, DesktopBackend(), Conversions).do_wallpaper();
}

}  // namespace tapestro
