#include "platform/desktop/linux/hyprpaper_backend.h"

#include <cstdlib>

#include "base/text.h"
#include "platform/desktop/desktop_messages.h"
#include "platform/desktop/linux/external_process.h"
#include "platform/desktop/linux/fresh_wallpaper_name.h"
#include "platform/desktop/linux/unix_socket.h"

namespace tapestro::desktop {

namespace {

constexpr char kSocketName[] = "/.hyprpaper.sock";
constexpr size_t kLongestAnswer = 64 * 1024;

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string AnsweringSocket() {
  for (const std::string& path : HyprpaperSocketPaths())
    if (SocketAnswers(path)) return path;
  return "";
}

// Sends one command; EDesktopReloadError unless hyprpaper answers "ok".
void Send(const std::string& socketPath, const std::string& command) {
  TUnixSocket socket;
  std::string answer;
  if (!socket.Connect(socketPath, kDesktopTimeLimitMs) || !socket.WriteAll(command) ||
      !socket.ReadToEnd(kLongestAnswer, answer)) {
    ThrowReloadError(Format(msg::kHyprpaperUnreachable, socket.Error()));
  }
  answer = Trim(answer);
  if (answer != "ok") ThrowReloadError(Format(msg::kHyprpaperRefused, command, answer));
}

}  // namespace

std::vector<std::string> HyprpaperSocketPaths() {
  const std::string instance = Environment("HYPRLAND_INSTANCE_SIGNATURE");
  if (instance.empty() || instance.find('/') != std::string::npos) return {};
  std::vector<std::string> paths;
  if (const std::string runtime = Environment("XDG_RUNTIME_DIR"); !runtime.empty())
    paths.push_back(runtime + "/hypr/" + instance + kSocketName);
  paths.push_back("/tmp/hypr/" + instance + kSocketName);
  return paths;
}

bool HyprpaperAnswers() { return !AnsweringSocket().empty(); }

std::string HyprpaperWallpaperArgument(const std::string& file, TWallpaperLayout layout) {
  switch (layout) {
    case TWallpaperLayout::Tile: return ",tile:" + file;
    case TWallpaperLayout::Fill:
    case TWallpaperLayout::Stretch: return "," + file;
    case TWallpaperLayout::Fit:
    case TWallpaperLayout::Center:
    case TWallpaperLayout::Origin: break;
  }
  return ",contain:" + file;
}

void THyprpaperDesktopBackend::Apply(const TWallpaperRequest& request) {
  const std::string socketPath = AnsweringSocket();
  if (socketPath.empty()) ThrowReloadError(Format(msg::kHyprpaperUnreachable, "no socket"));
  TFreshWallpaperName fresh(freshNameFolder_, request.File);
  const std::string previous = fresh.PreviousPath();
  Send(socketPath, "preload " + fresh.Path());
  Send(socketPath, "wallpaper " + HyprpaperWallpaperArgument(fresh.Path(), request.Layout));
  fresh.Commit();
  // The old picture only takes memory now; a daemon that refuses keeps it, no harm.
  if (!previous.empty()) {
    try {
      Send(socketPath, "unload " + previous);
    } catch (const EDesktopReloadError&) {
    }
  }
}

}  // namespace tapestro::desktop
