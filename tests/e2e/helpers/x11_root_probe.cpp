// x11-root-probe: what the end-to-end tests need to see of the X server.
//   x11-root-probe drawable ID   prints "WIDTHxHEIGHT DEPTH" of a pixmap or window;
//                                exits 1 when the server no longer has it
//   x11-root-probe painted ID    exits 0 when the window is mapped and shows more than
//                                one colour (its picture has been drawn), else 1
//   x11-root-probe hold          names a pixmap of its own in _XROOTPMAP_ID only, as a
//                                live desktop program would, prints its id and waits;
//                                it ends only if the server drops its connection
//   x11-root-probe settle ID     returns once the program that owns window ID has handled
//                                everything sent to it before, and the window manager
//                                everything that program asked of it, with the window
//                                staying in place; exits 1 when either does not answer
//                                within 10 seconds or the window keeps moving
//   x11-root-probe bells         prints "bell" for every bell a program rings (a beep),
//                                until it is ended
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

bool g_failed = false;
int KeepError(Display*, XErrorEvent*) {
  g_failed = true;
  return 0;
}

int DescribeDrawable(Display* display, const char* idText) {
  XSetErrorHandler(KeepError);
  const ::Drawable id = std::strtoul(idText, nullptr, 0);
  ::Window root = 0;
  int x = 0, y = 0;
  unsigned width = 0, height = 0, border = 0, depth = 0;
  const Status ok = XGetGeometry(display, id, &root, &x, &y, &width, &height, &border, &depth);
  XSync(display, False);
  if (ok == 0 || g_failed) return 1;
  std::printf("%ux%u %u\n", width, height, depth);
  return 0;
}

int Painted(Display* display, const char* idText) {
  XSetErrorHandler(KeepError);
  const ::Window id = std::strtoul(idText, nullptr, 0);
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, id, &attributes) == 0 || attributes.map_state != IsViewable) return 1;
  XImage* image = XGetImage(display, id, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  XSync(display, False);
  if (image == nullptr || g_failed) return 1;
  const unsigned long first = XGetPixel(image, 0, 0);
  bool varied = false;
  for (int y = 0; y < attributes.height && !varied; ++y)
    for (int x = 0; x < attributes.width && !varied; ++x) varied = XGetPixel(image, x, y) != first;
  XDestroyImage(image);
  return varied ? 0 : 1;
}

int Hold(Display* display) {
  const ::Window root = DefaultRootWindow(display);
  const Pixmap pixmap = XCreatePixmap(display, root, 8, 8, DefaultDepth(display, DefaultScreen(display)));
  XChangeProperty(display, root, XInternAtom(display, "_XROOTPMAP_ID", False), XA_PIXMAP, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pixmap), 1);
  XSync(display, False);
  std::printf("0x%lx\n", pixmap);
  std::fflush(stdout);
  XSelectInput(display, root, PropertyChangeMask);
  XEvent event;
  for (;;) XNextEvent(display, &event);
}

int Bells(Display* display) {
  int eventBase = 0;
  if (!XkbQueryExtension(display, nullptr, &eventBase, nullptr, nullptr, nullptr)) return 1;
  XkbSelectEvents(display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
  XEvent event;
  for (;;) {
    XNextEvent(display, &event);
    if (event.type == eventBase && reinterpret_cast<XkbAnyEvent&>(event).xkb_type == XkbBellNotify) {
      std::printf("bell\n");
      std::fflush(stdout);
    }
  }
}

// Reads events until one satisfies `answered`, for 10 seconds at most.
bool AwaitEvent(Display* display, const std::function<bool(const XEvent&)>& answered) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (answered(event)) return true;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0) return false;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(left));
  }
}

// A _NET_WM_PING round trip: the program answers it on its user-interface thread, after
// the events that came before it.
bool Ping(Display* display, ::Window window, long serial) {
  const ::Window root = DefaultRootWindow(display);
  const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
  const Atom ping = XInternAtom(display, "_NET_WM_PING", False);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = protocols;
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(ping);
  event.xclient.data.l[1] = serial;  // stands in for the timestamp: names this round trip
  event.xclient.data.l[2] = static_cast<long>(window);
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
  return AwaitEvent(display, [&](const XEvent& answer) {
    return answer.type == ClientMessage && answer.xclient.window == root && answer.xclient.message_type == protocols &&
           answer.xclient.data.l[0] == static_cast<long>(ping) && answer.xclient.data.l[1] == serial;
  });
}

// A _NET_REQUEST_FRAME_EXTENTS round trip on an unmapped window of our own: the window
// manager answers it by setting _NET_FRAME_EXTENTS, after the requests that came before.
// Nothing is mapped or focused. Without a window manager there is nothing to wait for.
bool SyncWindowManager(Display* display) {
  const ::Window root = DefaultRootWindow(display);
  const Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(display, root, XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False), 0, 1, False, XA_WINDOW,
                     &type, &format, &count, &after, &data);
  if (data != nullptr) XFree(data);
  if (count == 0) return true;
  const ::Window own = XCreateSimpleWindow(display, root, 0, 0, 8, 8, 0, 0, 0);
  XSelectInput(display, own, PropertyChangeMask);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = own;
  event.xclient.message_type = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
  event.xclient.format = 32;
  XSendEvent(display, root, False, SubstructureNotifyMask | SubstructureRedirectMask, &event);
  XFlush(display);
  const bool answered = AwaitEvent(display, [&](const XEvent& answer) {
    return answer.type == PropertyNotify && answer.xproperty.window == own && answer.xproperty.atom == extents;
  });
  XDestroyWindow(display, own);
  return answered;
}

// Where the window is on the screen, and its size and map state.
struct Place {
  int x = 0, y = 0, width = 0, height = 0, mapState = 0;
  bool operator==(const Place&) const = default;
};

Place PlaceOf(Display* display, ::Window window) {
  XWindowAttributes attributes{};
  Place place;
  ::Window child = 0;
  if (XGetWindowAttributes(display, window, &attributes) == 0) return place;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &place.x, &place.y, &child);
  place.width = attributes.width;
  place.height = attributes.height;
  place.mapState = attributes.map_state;
  return place;
}

// One round: two pings (the first answer shows the events before it were read, the second
// that the work they set off on the user-interface thread has run too), then the window
// manager. A window manager's answer can make the program ask again (a window placed
// anew once its frame is known), so rounds go on until one leaves the window where it was.
int Settle(Display* display, const char* idText) {
  XSetErrorHandler(KeepError);
  const ::Window window = std::strtoul(idText, nullptr, 0);
  XSelectInput(display, DefaultRootWindow(display), StructureNotifyMask);
  constexpr int kMostRounds = 10;
  long serial = 0;
  Place before = PlaceOf(display, window);
  for (int round = 0; round < kMostRounds && !g_failed; ++round) {
    if (!Ping(display, window, ++serial) || !Ping(display, window, ++serial) || !SyncWindowManager(display)) return 1;
    const Place after = PlaceOf(display, window);
    if (after == before) return g_failed ? 1 : 0;
    before = after;
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 2;
  if (argc == 2 && std::strcmp(argv[1], "hold") == 0) return Hold(display);
  if (argc == 2 && std::strcmp(argv[1], "bells") == 0) return Bells(display);
  int result = 2;
  if (argc == 3 && std::strcmp(argv[1], "drawable") == 0)
    result = DescribeDrawable(display, argv[2]);
  else if (argc == 3 && std::strcmp(argv[1], "painted") == 0)
    result = Painted(display, argv[2]);
  else if (argc == 3 && std::strcmp(argv[1], "settle") == 0)
    result = Settle(display, argv[2]);
  else
    std::fprintf(stderr, "usage: x11-root-probe drawable ID | painted ID | hold | settle ID | bells\n");
  XCloseDisplay(display);
  return result;
}
