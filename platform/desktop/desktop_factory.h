#pragma once
// Picks the desktop back end for this session. One factory for the whole program, so
// the main window and the tool agree on where the wallpaper goes.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/desktop/desktop_backend.h"

namespace tapestro::desktop {

enum class TDesktopKind { X11, Gnome, Cinnamon, Mate, Kde, Xfce, Windows };

// "x11", "gnome", "cinnamon", "mate", "kde", "xfce", "windows".
std::string_view DesktopKindName(TDesktopKind kind);
std::optional<TDesktopKind> DesktopKindNamed(std::string_view name);

// The back end of the running desktop. On Linux: the first desktop named in
// XDG_CURRENT_DESKTOP whose settings answer, else the X11 root window when a display
// is reachable, else one that reports that no desktop was found. freshNameFolder is
// where desktops that key the wallpaper on its path get fresh names of it.
std::unique_ptr<TDesktopBackend> CreateDesktopBackend(const std::string& freshNameFolder);
// That kind's back end without asking whether it answers (for tests and scripts); null
// when this system has no such back end.
std::unique_ptr<TDesktopBackend> CreateDesktopBackend(TDesktopKind kind, const std::string& freshNameFolder);

}  // namespace tapestro::desktop
