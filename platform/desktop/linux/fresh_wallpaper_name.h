#pragma once
// Desktops that key the wallpaper on its path (KDE Plasma, XFCE, hyprpaper, ...) redraw only when the
// path changes, but the program rewrites the same temporary file at every change. They
// are handed one of two names in turn instead, each a hard link to the file (a copy
// across file systems), so that every change shows, the new picture included when the
// file is rewritten later.
#include <string>

namespace tapestro::desktop {

class TFreshWallpaperName {
 public:
  // Makes the name not used last time, in folder (created when missing), for file.
  // EDesktopReloadError when the file cannot be linked or copied there.
  TFreshWallpaperName(const std::string& folder, const std::string& file);
  // Without Commit the new name goes and the one the desktop shows stays.
  ~TFreshWallpaperName();
  TFreshWallpaperName(const TFreshWallpaperName&) = delete;
  TFreshWallpaperName& operator=(const TFreshWallpaperName&) = delete;

  const std::string& Path() const { return path_; }
  // The name handed over last time, which the desktop still shows; empty when none.
  std::string PreviousPath() const;
  // The desktop now shows Path(): the name used before is removed.
  void Commit();
  // The desktop may show either name (it took only part of the change): both stay.
  void KeepBoth() { committed_ = true; }

 private:
  std::string folder_;
  std::string path_;
  char previousSlot_ = 0;
  bool committed_ = false;
};

}  // namespace tapestro::desktop
