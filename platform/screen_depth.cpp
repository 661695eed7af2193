#include "platform/screen_depth.h"

#include <QGuiApplication>
#include <QScreen>

namespace tapestro {

namespace {
constexpr int kAssumedDepth = 24;
}

int PrimaryScreenBitsPerPixel() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen && screen->depth() > 0 ? screen->depth() : kAssumedDepth;
}

}  // namespace tapestro
