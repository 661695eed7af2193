// Wallpaper preparation in the main window: the same preparation the tool runs, with
// the window's message pane and message boxes, and the desktop's part on its queue, off
// the window's thread.
#include "base/errors.h"
#include "core/error_report.h"
#include "core/main_window.h"
#include "core/wallpaper_restore.h"

namespace tapestro {

TDesktopQueue& TForm1::DesktopQueue() {
  // Made at the first change rather than at start: asking the desktops whether they
  // answer costs time the start-up does not need to spend (and the queue's thread asks).
  if (!desktopQueue_) {
    desktopQueue_ = std::make_unique<TDesktopQueue>(std::move(Desktop), DesktopSetupOf(Settings, Folders),
                                                    [this] { MonitorsChanged(); });
  }
  return *desktopQueue_;
}

void TForm1::TakeDesktop(std::unique_ptr<desktop::TDesktopBackend> desktop) {
  Desktop = std::move(desktop);
  DesktopQueue();
}

void TForm1::do_wallpaper() {
  // The desktop's error, when it comes, reaches the default error report.
  TDesktopRunner runner = DesktopRunner ? DesktopRunner : [this](TDesktopWork work, TDesktopDone done) {
    DesktopQueue().Post(std::move(work),
                        [done = std::move(done)](std::exception_ptr error) { RunGuarded([&] { done(error); }); });
  };
  TWallpaperPreparation(Settings, Values, preparationContext_, std::move(runner), Conversions).do_wallpaper();
}

void TForm1::MonitorsChanged() {
  const std::optional<TKeptWallpaper> kept = KeptWallpaper(Settings);
  if (!kept) return;
  DesktopQueue().Post([kept = *kept](desktop::TDesktopBackend& desktop) { SetKeptWallpaper(desktop, kept); },
                      [this](std::exception_ptr error) {
                        try {
                          if (error) std::rethrow_exception(error);
                        } catch (const Exception& failure) {
                          preparationContext_.ShowMessage(failure.what());
                        }
                      });
}

}  // namespace tapestro
