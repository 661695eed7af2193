#pragma once
// Turns the file named by CurrentFile into the desktop wallpaper: the file takes its
// route (converted or as it is, see wallpaper_conversions.h), then come the stored
// placement, the desktop, and a line in the message pane. The main window and
// tapestro-tool run the same preparation.
#include <functional>
#include <string>

#include "core/desktop_wallpaper.h"
#include "core/rotation.h"
#include "core/settings.h"
#include "core/wallpaper_conversions.h"
#include "platform/desktop/desktop_backend.h"

namespace tapestro {

// What wallpaper preparation needs of its surroundings beyond what the conversions
// need: the main window supplies message boxes and the system's answers; the tool
// prints to standard error; tests record.
class TPreparationContext : public TConversionContext {
 public:
  // A message the user must acknowledge.
  virtual void ShowMessageBox(const std::string& text) = 0;
  // The system's own folder; empty when the system names none.
  virtual std::string WindowsDirectory() = 0;
  // The current local time in the user's long time format.
  virtual std::string LocalTimeText() = 0;
  // The folder a bare CurrentFile lies in: the listed folder in the window,
  // the current directory for the tool.
  virtual std::string ListedFolder() const;
};

// Leaves the placement's text in settings.SettingValue: the stored "Wallpaperloc", or
// (for the tool) a placement given on the command line.
using TPlacementReader = std::function<void(TSettings& settings)>;
void ReadStoredPlacement(TSettings& settings);

class TWallpaperPreparation {
 public:
  TWallpaperPreparation(TSettings& settings, TProgramValues& values, TPreparationContext& context,
                        desktop::TDesktopBackend& desktop, TWallpaperConversions conversions,
                        TPlacementReader readPlacement = ReadStoredPlacement);
  // The window's: the desktop's part runs where runner puts it (its queue), and the
  // final message, or the desktop's error, comes when it is done.
  TWallpaperPreparation(TSettings& settings, TProgramValues& values, TPreparationContext& context,
                        TDesktopRunner runner, TWallpaperConversions conversions);

  // A bare CurrentFile is opened, and handed to the desktop, by its full path in the
  // context's ListedFolder (taken now: the list may have moved on before the desktop's
  // part runs), a relative one with a folder against the current directory; its route
  // is decided on the name as given.
  // True when the desktop took a file (was handed it, on a queue). A missing system
  // folder or a conversion that stops leaves the wallpaper alone. An origin that is
  // not a whole number (EConvertError) and the desktop's own errors pass through:
  // nothing is applied, no message is shown and SettingValue keeps the placement.
  bool do_wallpaper();
  // Reads the system folder into WinDir.
  void GetWinDir();

 private:
  // source as given decides the route; path is what is opened.
  TConversionOutcome Convert(const std::string& source, const std::string& path);

  TSettings& settings_;
  TProgramValues& values_;
  TPreparationContext& context_;
  TDesktopRunner runner_;
  TWallpaperConversions conversions_;
  TPlacementReader readPlacement_;
};

}  // namespace tapestro
