#include "platform/desktop/linux/kde_plasma_backend.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <cctype>

#include "base/text.h"
#include "platform/desktop/desktop_messages.h"
#include "platform/desktop/linux/fresh_wallpaper_name.h"

namespace tapestro::desktop {

namespace {

constexpr char kService[] = "org.kde.PlasmaShell";
constexpr char kPath[] = "/PlasmaShell";
constexpr char kInterface[] = "org.kde.PlasmaShell";

}  // namespace

int PlasmaFillMode(TWallpaperLayout layout) {
  switch (layout) {
    case TWallpaperLayout::Stretch: return 0;
    case TWallpaperLayout::Fit: return 1;
    case TWallpaperLayout::Fill: return 2;
    case TWallpaperLayout::Tile: return 3;
    case TWallpaperLayout::Center:
    case TWallpaperLayout::Origin: break;
  }
  return 6;
}

std::string FileUrl(std::string_view absolutePath) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (const char c : absolutePath) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) != 0 || byte == '-' || byte == '.' || byte == '_' || byte == '~' || byte == '/') {
      url += c;
    } else {
      url += '%';
      url += kHex[byte >> 4];
      url += kHex[byte & 0xf];
    }
  }
  return url;
}

std::string PlasmaWallpaperScript(std::string_view absolutePath, TWallpaperLayout layout) {
  return "var all = desktops();\n"
         "for (var i = 0; i < all.length; i++) {\n"
         "  var d = all[i];\n"
         "  d.wallpaperPlugin = \"org.kde.image\";\n"
         "  d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
         "  d.writeConfig(\"Image\", \"" +
         FileUrl(absolutePath) +
         "\");\n"
         "  d.writeConfig(\"FillMode\", " +
         std::to_string(PlasmaFillMode(layout)) +
         ");\n"
         "}\n";
}

bool PlasmaShellAnswers() {
  const QDBusConnection bus = QDBusConnection::sessionBus();
  return bus.isConnected() && bus.interface()->isServiceRegistered(kService).value();
}

void TKdePlasmaDesktopBackend::Apply(const TWallpaperRequest& request) {
  TFreshWallpaperName fresh(freshNameFolder_, request.File);
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "evaluateScript");
  call << QString::fromStdString(PlasmaWallpaperScript(fresh.Path(), request.Layout));
  const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, kDesktopTimeLimitMs);
  if (reply.type() == QDBusMessage::ErrorMessage)
    ThrowReloadError(Format(msg::kDBusFailed, kService, reply.errorMessage().toStdString()));
  fresh.Commit();
}

}  // namespace tapestro::desktop
