#pragma once
// Picks the desktop back end for this session. One factory for the whole program, so
// the main window and the tool agree on where the wallpaper goes.
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/desktop/desktop_backend.h"

namespace tapestro::desktop {

enum class TDesktopKind {
  X11,
  Gnome,
  Cinnamon,
  Mate,
  Kde,
  Xfce,
  Lxqt,
  Lxde,
  Sway,
  Swaybg,
  Hyprpaper,
  Command,
  Windows
};

inline constexpr std::array<std::pair<TDesktopKind, std::string_view>, 13> kDesktopKindNames{{
    {TDesktopKind::X11, "x11"},
    {TDesktopKind::Gnome, "gnome"},
    {TDesktopKind::Cinnamon, "cinnamon"},
    {TDesktopKind::Mate, "mate"},
    {TDesktopKind::Kde, "kde"},
    {TDesktopKind::Xfce, "xfce"},
    {TDesktopKind::Lxqt, "lxqt"},
    {TDesktopKind::Lxde, "lxde"},
    {TDesktopKind::Sway, "sway"},
    {TDesktopKind::Swaybg, "swaybg"},
    {TDesktopKind::Hyprpaper, "hyprpaper"},
    {TDesktopKind::Command, "command"},
    {TDesktopKind::Windows, "windows"},
}};

// The back end's short name, as Name() gives it and --backend takes it.
inline std::string_view DesktopKindName(TDesktopKind kind) {
  for (const auto& [each, name] : kDesktopKindNames)
    if (each == kind) return name;
  return {};
}

inline std::optional<TDesktopKind> DesktopKindNamed(std::string_view name) {
  for (const auto& [kind, each] : kDesktopKindNames)
    if (each == name) return kind;
  return std::nullopt;
}

struct TDesktopSetup {
  // Where desktops that key the wallpaper on its path get fresh names of it.
  std::string FreshNameFolder;
  // The user's own command ("WallpaperCommand" in the settings): when set, it sets the
  // wallpaper whatever the desktop.
  std::string WallpaperCommand;
};

// The back end of the running desktop. On Linux: the user's command when there is
// one; else the session type first (never the X11 root window on Wayland), then the
// desktops the session names, each if it answers; else the X11 root window on X11;
// else one whose reload says which desktop could not be driven and what to do.
std::unique_ptr<TDesktopBackend> CreateDesktopBackend(const TDesktopSetup& setup);
// That kind's back end without asking whether it answers (for tests and scripts); null
// when this system has no such back end.
std::unique_ptr<TDesktopBackend> CreateDesktopBackend(TDesktopKind kind, const TDesktopSetup& setup);

}  // namespace tapestro::desktop
