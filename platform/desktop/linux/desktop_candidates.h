#pragma once
// Which desktops the session says it runs, from XDG_CURRENT_DESKTOP.
#include <string_view>
#include <vector>

#include "platform/desktop/desktop_factory.h"

namespace tapestro::desktop {

// The back ends for the colon-separated desktop names, in their order, each once;
// names without a back end of their own are skipped. "ubuntu:GNOME" gives Gnome.
std::vector<TDesktopKind> DesktopCandidates(std::string_view xdgCurrentDesktop);

}  // namespace tapestro::desktop
