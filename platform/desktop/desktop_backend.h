#pragma once
// A desktop back end: the store that holds the user's wallpaper values and the request
// that makes the desktop take them up. The wallpaper routine opens the store, writes
// the five values below in their order, closes it and asks for a reload; each back end
// turns that into what its desktop understands.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tapestro::desktop {

// The value names, in the order they are written.
inline constexpr char kWallpaperValue[] = "Wallpaper";
inline constexpr char kTileWallpaperValue[] = "TileWallpaper";
inline constexpr char kWallpaperStyleValue[] = "WallpaperStyle";
inline constexpr char kWallpaperOriginXValue[] = "WallpaperOriginX";
inline constexpr char kWallpaperOriginYValue[] = "WallpaperOriginY";

// The numbers "WallpaperStyle" takes: the picture at its own size (centred or at the
// origin), stretched to each monitor, scaled to fit whole with bars beside it, scaled
// to cover each monitor with its overhang cropped.
inline constexpr int32_t kStyleOwnSize = 0;
inline constexpr int32_t kStyleStretch = 2;
inline constexpr int32_t kStyleFit = 6;
inline constexpr int32_t kStyleFill = 10;

// How long a desktop (a process, a socket, a D-Bus call) may take before the change
// is given up and reported failed.
inline constexpr int kDesktopTimeLimitMs = 10000;

enum class TStoreResult {
  Stored,
  StoreUnavailable,  // the store could not be opened for this write
  Refused,           // the store was open but did not take the value
};

// Watches the monitors for as long as it lives.
class TMonitorWatch {
 public:
  TMonitorWatch() = default;
  virtual ~TMonitorWatch() = default;
  TMonitorWatch(const TMonitorWatch&) = delete;
  TMonitorWatch& operator=(const TMonitorWatch&) = delete;
};

class TDesktopBackend {
 public:
  TDesktopBackend() = default;
  virtual ~TDesktopBackend() = default;
  TDesktopBackend(const TDesktopBackend&) = delete;
  TDesktopBackend& operator=(const TDesktopBackend&) = delete;

  // Short name shown to the user and in tests: "x11", "gnome", "kde", ...
  virtual std::string Name() const = 0;
  // Opens the store, creating it when it is missing; false when neither works.
  virtual bool OpenStore() = 0;
  virtual TStoreResult SetStringValue(const std::string& name, const std::string& value) = 0;
  virtual void CloseStore() = 0;
  // Makes the desktop show the values just written. EDesktopReloadError when the
  // desktop did not take them; the wallpaper shown before then stays. May block for a
  // while (a process, a D-Bus call): the program calls it off its window's thread.
  virtual void Reload() = 0;
  // True for desktops that forget the wallpaper when the session ends (the X11 root
  // window, swaybg): the program sets the last one again when it starts.
  virtual bool ForgetsWallpaper() const { return false; }
  // For desktops whose wallpaper we lay out per monitor ourselves: calls changed, on a
  // thread of the watch's own, whenever a monitor is added, removed or changes size,
  // until the watch is destroyed. Null where the desktop follows its monitors itself.
  virtual std::unique_ptr<TMonitorWatch> WatchMonitors(std::function<void()> changed) {
    (void)changed;
    return nullptr;
  }
};

}  // namespace tapestro::desktop
