#include "platform/desktop/linux/sway_backend.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdlib>
#include <cstring>

#include "base/text.h"
#include "platform/desktop/desktop_messages.h"
#include "platform/desktop/linux/external_process.h"
#include "platform/desktop/linux/fresh_wallpaper_name.h"
#include "platform/desktop/linux/unix_socket.h"

namespace tapestro::desktop {

namespace {

constexpr std::string_view kMagic = "i3-ipc";
constexpr size_t kHeaderSize = kMagic.size() + 2 * sizeof(uint32_t);
// sway's answer to one command is a few dozen bytes; anything near this is not sway.
constexpr uint32_t kLongestReply = 1 << 20;

std::string SwaySocketPath() {
  const char* path = std::getenv("SWAYSOCK");
  return path != nullptr ? path : "";
}

// Characters sway's path expansion takes as they are.
bool PlainPath(const std::string& path) {
  for (const char c : path) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       std::strchr("/._+,=@-", c) != nullptr;
    if (!plain) return false;
  }
  return true;
}

// Sends one command and gives sway's reply payload.
std::string RunSwayCommand(const std::string& command) {
  const std::string path = SwaySocketPath();
  TUnixSocket socket;
  std::string header;
  std::string reply;
  if (!socket.Connect(path, kDesktopTimeLimitMs) || !socket.WriteAll(SwayMessage(kSwayRunCommand, command)) ||
      !socket.ReadExactly(kHeaderSize, header)) {
    ThrowReloadError(Format(msg::kSwayUnreachable, path, socket.Error()));
  }
  uint32_t length = 0;
  std::memcpy(&length, header.data() + kMagic.size(), sizeof length);
  if (header.compare(0, kMagic.size(), kMagic) != 0 || length > kLongestReply)
    ThrowReloadError(Format(msg::kSwayUnreachable, path, "not an i3-ipc answer"));
  if (!socket.ReadExactly(length, reply)) ThrowReloadError(Format(msg::kSwayUnreachable, path, socket.Error()));
  return reply;
}

}  // namespace

bool SwayAnswers() {
  const std::string path = SwaySocketPath();
  return !path.empty() && SocketAnswers(path);
}

const char* SwayMode(TWallpaperLayout layout) {
  switch (layout) {
    case TWallpaperLayout::Tile: return "tile";
    case TWallpaperLayout::Stretch: return "stretch";
    case TWallpaperLayout::Fill: return "fill";
    case TWallpaperLayout::Fit: return "fit";
    case TWallpaperLayout::Center:
    case TWallpaperLayout::Origin: break;
  }
  return "center";
}

std::string SwayBackgroundCommand(const std::string& file, TWallpaperLayout layout) {
  return "output * bg \"" + file + "\" " + SwayMode(layout);
}

std::string SwayMessage(uint32_t type, std::string_view payload) {
  const auto length = static_cast<uint32_t>(payload.size());
  std::string message(kMagic);
  message.append(reinterpret_cast<const char*>(&length), sizeof length);
  message.append(reinterpret_cast<const char*>(&type), sizeof type);
  message.append(payload);
  return message;
}

std::string SwayReplyError(const std::string& json) {
  const QJsonDocument reply = QJsonDocument::fromJson(QByteArray::fromStdString(json));
  if (!reply.isArray() || reply.array().isEmpty()) return "an answer that is not a list of results";
  for (const QJsonValue& each : reply.array()) {
    const QJsonObject result = each.toObject();
    if (result.value("success").toBool()) continue;
    const QString error = result.value("error").toString();
    return error.isEmpty() ? std::string("no reason given") : error.toStdString();
  }
  return "";
}

void TSwayDesktopBackend::Apply(const TWallpaperRequest& request) {
  TFreshWallpaperName fresh(freshNameFolder_, request.File);
  if (!PlainPath(fresh.Path())) ThrowReloadError(Format(msg::kNameNotStorable, fresh.Path()));
  const std::string error = SwayReplyError(RunSwayCommand(SwayBackgroundCommand(fresh.Path(), request.Layout)));
  if (!error.empty()) ThrowReloadError(Format(msg::kSwayRefused, error));
  fresh.Commit();
}

}  // namespace tapestro::desktop
