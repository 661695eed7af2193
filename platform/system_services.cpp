#include "platform/system_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QUrl>

namespace tapestro {

namespace {
constexpr int kAssumedScreenDepth = 24;
}  // namespace

void Beep() { QApplication::beep(); }

void PauseUserInterface(int milliseconds) {
  if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void OpenWebPage(const std::string& address) { QDesktopServices::openUrl(QUrl(QString::fromStdString(address))); }

int PrimaryScreenBitsPerPixel() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen && screen->depth() > 0 ? screen->depth() : kAssumedScreenDepth;
}

}  // namespace tapestro
