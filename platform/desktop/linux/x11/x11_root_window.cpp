#include "platform/desktop/linux/x11/x11_root_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <thread>

#include "base/text.h"
#include "platform/desktop/desktop_messages.h"

namespace tapestro::desktop {

namespace {

// Xlib reports protocol errors to one handler per process; while a request of ours is
// out, errors are kept here instead of ending the program.
int g_firstXError = 0;

int KeepXError(Display*, XErrorEvent* event) {
  if (g_firstXError == 0) g_firstXError = event->error_code;
  return 0;
}

class TXErrorTrap {
 public:
  TXErrorTrap() : previous_(XSetErrorHandler(KeepXError)) { g_firstXError = 0; }
  ~TXErrorTrap() { XSetErrorHandler(previous_); }
  TXErrorTrap(const TXErrorTrap&) = delete;
  TXErrorTrap& operator=(const TXErrorTrap&) = delete;
  // Waits for the server to answer everything sent, then tells the first error.
  int Sync(Display* display) {
    XSync(display, False);
    const int error = g_firstXError;
    g_firstXError = 0;
    return error;
  }

 private:
  XErrorHandler previous_;
};

TRootPixelFormat FormatOf(Display* display, int screen) {
  const Visual* visual = DefaultVisual(display, screen);
  const int depth = DefaultDepth(display, screen);
  if (visual->c_class != TrueColor) return TRootPixelFormat::Unsupported;
  const unsigned long red = visual->red_mask, green = visual->green_mask, blue = visual->blue_mask;
  if ((depth == 24 || depth == 32) && red == 0xff0000 && green == 0xff00 && blue == 0xff)
    return TRootPixelFormat::Rgb32;
  if (depth == 16 && red == 0xf800 && green == 0x7e0 && blue == 0x1f) return TRootPixelFormat::Rgb16;
  if (depth == 15 && red == 0x7c00 && green == 0x3e0 && blue == 0x1f) return TRootPixelFormat::Rgb15;
  return TRootPixelFormat::Unsupported;
}

// The pixmap a property names, or None when it is missing or not a pixmap.
Pixmap PixmapProperty(Display* display, Window root, Atom property) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  Pixmap pixmap = None;
  if (XGetWindowProperty(display, root, property, 0, 1, False, XA_PIXMAP, &type, &format, &count, &after,
                         &data) == Success &&
      type == XA_PIXMAP && format == 32 && count == 1 && data != nullptr) {
    pixmap = *reinterpret_cast<Pixmap*>(data);
  }
  if (data != nullptr) XFree(data);
  return pixmap;
}

void PublishRootPixmap(Display* display, Window root, Pixmap pixmap) {
  for (const char* name : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID"}) {
    XChangeProperty(display, root, XInternAtom(display, name, False), XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pixmap), 1);
  }
  XSetWindowBackgroundPixmap(display, root, pixmap);
  XClearWindow(display, root);
}

}  // namespace

struct TX11RootWindow::TConnection {
  Display* XDisplay = nullptr;
  int ScreenNumber = 0;
  Window Root = None;
};

bool X11DisplayReachable() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  XCloseDisplay(display);
  return true;
}

struct TRootMonitorWatch::TState {
  std::function<void()> Changed;
  Display* XDisplay = nullptr;
  int RandrEventBase = 0;
  int StopFd = -1;
  std::thread Thread;
};

TRootMonitorWatch::TRootMonitorWatch(std::function<void()> changed) : state_(std::make_unique<TState>()) {
  state_->Changed = std::move(changed);
  state_->XDisplay = XOpenDisplay(nullptr);
  int errorBase = 0;
  if (state_->XDisplay == nullptr || !XRRQueryExtension(state_->XDisplay, &state_->RandrEventBase, &errorBase)) return;
  state_->StopFd = eventfd(0, EFD_CLOEXEC);
  if (state_->StopFd < 0) return;
  // A monitor made or removed by "xrandr --setmonitor" comes as the root window's
  // ConfigureNotify alone; a new output or size also as RandR's screen change.
  XSelectInput(state_->XDisplay, DefaultRootWindow(state_->XDisplay), StructureNotifyMask);
  XRRSelectInput(state_->XDisplay, DefaultRootWindow(state_->XDisplay), RRScreenChangeNotifyMask);
  XFlush(state_->XDisplay);
  state_->Thread = std::thread([this] { Run(); });
}

TRootMonitorWatch::~TRootMonitorWatch() {
  if (state_->Thread.joinable()) {
    const uint64_t stop = 1;
    if (write(state_->StopFd, &stop, sizeof stop) != sizeof stop) state_->Thread.detach();
    if (state_->Thread.joinable()) state_->Thread.join();
  }
  if (state_->StopFd >= 0) close(state_->StopFd);
  if (state_->XDisplay != nullptr) XCloseDisplay(state_->XDisplay);
}

void TRootMonitorWatch::Run() {
  Display* display = state_->XDisplay;
  pollfd watched[2] = {{ConnectionNumber(display), POLLIN, 0}, {state_->StopFd, POLLIN, 0}};
  for (;;) {
    bool changed = false;
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == state_->RandrEventBase + RRScreenChangeNotify || event.type == ConfigureNotify) changed = true;
    }
    // Several notifications of one change (each output, each monitor) repaint once.
    if (changed) state_->Changed();
    if (poll(watched, 2, -1) < 0 && errno != EINTR) return;
    if (watched[1].revents != 0 || (watched[0].revents & (POLLHUP | POLLERR)) != 0) return;
  }
}

TX11RootWindow::TX11RootWindow() : connection_(std::make_unique<TConnection>()) {
  connection_->XDisplay = XOpenDisplay(nullptr);
  if (connection_->XDisplay == nullptr) ThrowReloadError(msg::kNoDisplay);
  connection_->ScreenNumber = DefaultScreen(connection_->XDisplay);
  connection_->Root = RootWindow(connection_->XDisplay, connection_->ScreenNumber);
}

TX11RootWindow::~TX11RootWindow() { XCloseDisplay(connection_->XDisplay); }

TRootScreen TX11RootWindow::Screen() const {
  Display* display = connection_->XDisplay;
  const int screen = connection_->ScreenNumber;
  return {DisplayWidth(display, screen), DisplayHeight(display, screen), DefaultDepth(display, screen),
          FormatOf(display, screen)};
}

std::vector<TMonitorArea> TX11RootWindow::Monitors() const {
  Display* display = connection_->XDisplay;
  std::vector<TMonitorArea> monitors;
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  if (XRRQueryExtension(display, &eventBase, &errorBase) && XRRQueryVersion(display, &major, &minor) &&
      (major > 1 || (major == 1 && minor >= 5))) {
    int count = 0;
    XRRMonitorInfo* info = XRRGetMonitors(display, connection_->Root, True, &count);
    for (int i = 0; i < count; ++i) monitors.push_back({info[i].x, info[i].y, info[i].width, info[i].height});
    if (info != nullptr) XRRFreeMonitors(info);
    if (!monitors.empty()) return monitors;
  }
  if (XineramaQueryExtension(display, &eventBase, &errorBase) && XineramaIsActive(display)) {
    int count = 0;
    XineramaScreenInfo* screens = XineramaQueryScreens(display, &count);
    for (int i = 0; i < count; ++i)
      monitors.push_back({screens[i].x_org, screens[i].y_org, screens[i].width, screens[i].height});
    if (screens != nullptr) XFree(screens);
  }
  return monitors;
}

void TX11RootWindow::SetBackground(const TRootPixels& pixels) {
  Display* display = connection_->XDisplay;
  const Window root = connection_->Root;
  const int depth = DefaultDepth(display, connection_->ScreenNumber);
  const Visual* visual = DefaultVisual(display, connection_->ScreenNumber);
  TXErrorTrap trap;
  // Everything this connection makes from here on stays when it closes; what is not
  // meant to stay is freed below.
  XSetCloseDownMode(display, RetainPermanent);
  const Pixmap pixmap = XCreatePixmap(display, root, pixels.Width, pixels.Height, depth);
  const GC gc = XCreateGC(display, pixmap, 0, nullptr);

  XImage image{};
  image.width = pixels.Width;
  image.height = pixels.Height;
  image.format = ZPixmap;
  image.data = const_cast<char*>(reinterpret_cast<const char*>(pixels.Data));
  image.byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
  image.bitmap_unit = 32;
  image.bitmap_bit_order = image.byte_order;
  image.bitmap_pad = 32;
  image.depth = depth;
  image.bytes_per_line = pixels.BytesPerLine;
  image.bits_per_pixel = pixels.BitsPerPixel;
  image.red_mask = visual->red_mask;
  image.green_mask = visual->green_mask;
  image.blue_mask = visual->blue_mask;
  XInitImage(&image);
  XPutImage(display, pixmap, gc, &image, 0, 0, 0, 0, pixels.Width, pixels.Height);
  XFreeGC(display, gc);
  if (const int error = trap.Sync(display); error != 0) {
    XFreePixmap(display, pixmap);
    // Nothing of this connection is worth keeping: the server forgets it at close
    // instead of holding an empty client until the next root setter frees it.
    XSetCloseDownMode(display, DestroyAll);
    trap.Sync(display);
    ThrowReloadError(Format(msg::kXRequestFailed, error));
  }

  // A root setter that names its pixmap in both properties made it to be freed by the
  // next one; a pixmap named in only one of them may belong to a live program.
  const Pixmap previous = PixmapProperty(display, root, XInternAtom(display, "_XROOTPMAP_ID", False));
  const Pixmap previousSetter = PixmapProperty(display, root, XInternAtom(display, "ESETROOT_PMAP_ID", False));
  PublishRootPixmap(display, root, pixmap);
  if (previous != None && previous == previousSetter && previous != pixmap) XKillClient(display, previous);
  // A stale id left by a setter that is gone is answered with an error; nothing to free.
  trap.Sync(display);
}

}  // namespace tapestro::desktop
