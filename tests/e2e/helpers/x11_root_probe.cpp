// x11-root-probe: what the end-to-end tests need to see of the X server.
//   x11-root-probe drawable ID   prints "WIDTHxHEIGHT DEPTH" of a pixmap or window;
//                                exits 1 when the server no longer has it
//   x11-root-probe painted ID    exits 0 when the window is mapped and shows more than
//                                one colour (its picture has been drawn), else 1
//   x11-root-probe hold          names a pixmap of its own in _XROOTPMAP_ID only, as a
//                                live desktop program would, prints its id and waits;
//                                it ends only if the server drops its connection
//   x11-root-probe bells         prints "bell" for every bell a program rings (a beep),
//                                until it is ended
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
  else
    std::fprintf(stderr, "usage: x11-root-probe drawable ID | painted ID | hold | bells\n");
  XCloseDisplay(display);
  return result;
}
