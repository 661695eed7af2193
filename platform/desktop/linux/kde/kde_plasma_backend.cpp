#include "platform/desktop/linux/kde/kde_plasma_backend.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

#include "base/text.h"
#include "platform/desktop/desktop_messages.h"
#include "platform/desktop/linux/fresh_wallpaper_name.h"
#include "platform/desktop/linux/kde/plasma_script.h"

namespace tapestro::desktop {

namespace {

constexpr char kService[] = "org.kde.PlasmaShell";
constexpr char kPath[] = "/PlasmaShell";
constexpr char kInterface[] = "org.kde.PlasmaShell";
// A shell that hangs must not freeze the program for long.
constexpr int kCallTimeoutMs = 10000;

}  // namespace

bool PlasmaShellAnswers() {
  const QDBusConnection bus = QDBusConnection::sessionBus();
  return bus.isConnected() && bus.interface()->isServiceRegistered(kService).value();
}

void TKdePlasmaDesktopBackend::Apply(const TWallpaperRequest& request) {
  TFreshWallpaperName fresh(freshNameFolder_, request.File);
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "evaluateScript");
  call << QString::fromStdString(PlasmaWallpaperScript(fresh.Path(), request.Layout));
  const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, kCallTimeoutMs);
  if (reply.type() == QDBusMessage::ErrorMessage)
    ThrowReloadError(Format(msg::kDBusFailed, kService, reply.errorMessage().toStdString()));
  fresh.Commit();
}

}  // namespace tapestro::desktop
