#include "platform/desktop/linux/xfce_backend.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QFile>
#include <QVariantMap>
#include <string_view>

#include "base/text.h"
#include "platform/desktop/desktop_messages.h"
#include "platform/desktop/linux/fresh_wallpaper_name.h"

namespace tapestro::desktop {

namespace {

constexpr std::string_view kLastImage = "/last-image";

// Takes "/<word><rest of segment>" off the front of path; false unless the segment
// starts with word and has something after it.
bool TakeSegment(std::string_view& path, std::string_view word) {
  if (path.size() < word.size() + 2 || path[0] != '/' || path.substr(1, word.size()) != word) return false;
  const size_t end = path.find('/', 1);
  const size_t length = end == std::string_view::npos ? path.size() : end;
  if (length <= word.size() + 1) return false;
  path.remove_prefix(length);
  return true;
}

constexpr char kService[] = "org.xfce.Xfconf";
constexpr char kPath[] = "/org/xfce/Xfconf";
constexpr char kInterface[] = "org.xfce.Xfconf";
// What xfconf answers for a channel or property base that has nothing yet.
constexpr char kPropertyNotFound[] = "org.xfce.Xfconf.Error.PropertyNotFound";
constexpr char kChannelNotFound[] = "org.xfce.Xfconf.Error.ChannelNotFound";

QDBusMessage CallXfconf(const QString& method, const QVariantList& arguments) {
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
  call.setArguments(arguments);
  return QDBusConnection::sessionBus().call(call, QDBus::Block, kDesktopTimeLimitMs);
}

void ThrowUnlessAnswered(const QDBusMessage& reply) {
  if (reply.type() == QDBusMessage::ErrorMessage)
    ThrowReloadError(Format(msg::kDBusFailed, kService, reply.errorMessage().toStdString()));
}

std::vector<std::string> BackdropPropertyNames() {
  const QDBusMessage reply = CallXfconf("GetAllProperties", {kXfceDesktopChannel, kXfceBackdropRoot});
  std::vector<std::string> names;
  if (reply.errorName() == kPropertyNotFound || reply.errorName() == kChannelNotFound) return names;
  ThrowUnlessAnswered(reply);
  if (reply.arguments().isEmpty()) return names;
  const QVariantMap properties = qdbus_cast<QVariantMap>(reply.arguments().first());
  for (auto it = properties.keyBegin(); it != properties.keyEnd(); ++it) names.push_back(it->toStdString());
  return names;
}

void SetProperty(const std::string& name, const QVariant& value) {
  ThrowUnlessAnswered(CallXfconf(
      "SetProperty", {kXfceDesktopChannel, QString::fromStdString(name), QVariant::fromValue(QDBusVariant(value))}));
}

}  // namespace

int XfceImageStyle(TWallpaperLayout layout) {
  switch (layout) {
    case TWallpaperLayout::Tile: return 2;
    case TWallpaperLayout::Stretch: return 3;
    case TWallpaperLayout::Fit: return 4;
    case TWallpaperLayout::Fill: return 5;
    case TWallpaperLayout::Center:
    case TWallpaperLayout::Origin: break;
  }
  return 1;
}

std::vector<std::string> XfceBackdrops(const std::vector<std::string>& propertyNames) {
  std::vector<std::string> backdrops;
  for (const std::string& name : propertyNames) {
    std::string_view rest = name;
    if (!rest.starts_with(kXfceBackdropRoot)) continue;
    rest.remove_prefix(std::string_view(kXfceBackdropRoot).size());
    if (TakeSegment(rest, "screen") && TakeSegment(rest, "monitor") && TakeSegment(rest, "workspace") &&
        rest == kLastImage) {
      backdrops.push_back(name.substr(0, name.size() - kLastImage.size()));
    }
  }
  return backdrops;
}

bool XfconfAnswers() {
  const QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  QDBusConnectionInterface* daemon = bus.interface();
  return daemon->isServiceRegistered(kService).value() || daemon->activatableServiceNames().value().contains(kService);
}

void TXfceDesktopBackend::Apply(const TWallpaperRequest& request) {
  const std::vector<std::string> backdrops = XfceBackdrops(BackdropPropertyNames());
  if (backdrops.empty()) ThrowReloadError(msg::kNoBackdrops);
  TFreshWallpaperName fresh(freshNameFolder_, request.File);
  const QString path = QFile::decodeName(fresh.Path().c_str());
  bool anyShown = false;
  try {
    for (const std::string& backdrop : backdrops) {
      // The style first, so the last redraw already shows the new picture placed right.
      SetProperty(backdrop + "/image-style", XfceImageStyle(request.Layout));
      SetProperty(backdrop + "/last-image", path);
      anyShown = true;
    }
  } catch (const EDesktopReloadError&) {
    if (anyShown) fresh.KeepBoth();
    throw;
  }
  fresh.Commit();
}

}  // namespace tapestro::desktop
