#pragma once
// How the Linux factory tells which desktop runs: the session type first, then the
// desktops the session names, then what answers. Apart from the probing, so that the
// choice can be checked for any session.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop/desktop_factory.h"

namespace tapestro::desktop {

struct TSessionEnvironment {
  bool Wayland = false;           // XDG_SESSION_TYPE=wayland, or WAYLAND_DISPLAY set
  std::string CurrentDesktop;     // XDG_CURRENT_DESKTOP: colon-separated names
  std::string DesktopSession;     // DESKTOP_SESSION: one name, or a session file's path
  bool SwaySocket = false;        // SWAYSOCK set
  bool HyprlandInstance = false;  // HYPRLAND_INSTANCE_SIGNATURE set

  static TSessionEnvironment OfThisProcess();
};

struct TDesktopCandidate {
  TDesktopKind Kind;
  std::string Named;  // the session's name for it; empty when only its socket told
};

// The back ends to try, in order, each once: those of the names in XDG_CURRENT_DESKTOP
// and then DESKTOP_SESSION (case ignored), then sway and Hyprland when their sockets
// are announced. Names without a back end are skipped.
std::vector<TDesktopCandidate> DesktopCandidates(const TSessionEnvironment& session);

struct TDesktopChoice {
  std::optional<TDesktopKind> Kind;
  std::string Refusal;  // without a kind: why, naming the desktop, and what to do
};

using TDesktopProbe = std::function<bool(TDesktopKind kind)>;
// The first candidate that answers; else the X11 root window, only outside Wayland
// and only for a session that names no desktop of its own; else a refusal.
TDesktopChoice ChooseDesktop(const TSessionEnvironment& session, const TDesktopProbe& answers);

}  // namespace tapestro::desktop
