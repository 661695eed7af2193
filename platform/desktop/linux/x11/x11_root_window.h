#pragma once
// The root window of the X display: its size and pixel format, and a background that
// outlives this program. Xlib stays inside the source file; its macros clash with Qt.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/desktop/desktop_backend.h"
#include "platform/desktop/linux/x11/root_image.h"

namespace tapestro::desktop {

enum class TRootPixelFormat {
  Rgb32,  // 24 or 32 bits deep, 8 bits a channel in 32-bit pixels
  Rgb16,  // 5-6-5
  Rgb15,  // 5-5-5
  Unsupported,
};

struct TRootScreen {
  int Width = 0;
  int Height = 0;
  int Depth = 0;
  TRootPixelFormat Format = TRootPixelFormat::Unsupported;
};

struct TRootPixels {
  const uint8_t* Data = nullptr;
  int Width = 0;
  int Height = 0;
  int BytesPerLine = 0;
  int BitsPerPixel = 0;
};

// True when the display named by DISPLAY accepts a connection.
bool X11DisplayReachable();

// The root window's monitors, watched on a connection and a thread of its own (RandR's
// screen changes and the root's ConfigureNotify); changed runs on that thread.
// Without a display or RandR it watches nothing.
class TRootMonitorWatch final : public TMonitorWatch {
 public:
  explicit TRootMonitorWatch(std::function<void()> changed);
  ~TRootMonitorWatch() override;

 private:
  void Run();
  struct TState;
  std::unique_ptr<TState> state_;
};

class TX11RootWindow {
 public:
  // Opens a connection of its own; EDesktopReloadError when there is no display.
  TX11RootWindow();
  ~TX11RootWindow();
  TX11RootWindow(const TX11RootWindow&) = delete;
  TX11RootWindow& operator=(const TX11RootWindow&) = delete;

  TRootScreen Screen() const;
  // The monitors, from RandR (1.5 monitors, which "xrandr --setmonitor" also makes),
  // else from Xinerama; empty when the server knows neither.
  std::vector<TMonitorArea> Monitors() const;
  // Puts the pixels (the screen's size and format) into a new pixmap that stays after
  // the connection closes, makes it the root background, names it in _XROOTPMAP_ID and
  // ESETROOT_PMAP_ID for compositors and terminals, and frees the pixmap a root setter
  // left there before. EDesktopReloadError when the server refuses; the old
  // background then stays.
  void SetBackground(const TRootPixels& pixels);

 private:
  struct TConnection;
  std::unique_ptr<TConnection> connection_;
};

}  // namespace tapestro::desktop
