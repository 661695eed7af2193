#include "platform/desktop/linux/desktop_candidates.h"

#include <algorithm>
#include <array>
#include <utility>

#include "base/text.h"

namespace tapestro::desktop {

namespace {

constexpr std::array<std::pair<std::string_view, TDesktopKind>, 8> kDesktopNames{{
    {"GNOME", TDesktopKind::Gnome},
    {"Unity", TDesktopKind::Gnome},
    {"Budgie", TDesktopKind::Gnome},
    {"X-Cinnamon", TDesktopKind::Cinnamon},
    {"Cinnamon", TDesktopKind::Cinnamon},
    {"MATE", TDesktopKind::Mate},
    {"KDE", TDesktopKind::Kde},
    {"XFCE", TDesktopKind::Xfce},
}};

}  // namespace

std::vector<TDesktopKind> DesktopCandidates(std::string_view xdgCurrentDesktop) {
  std::vector<TDesktopKind> kinds;
  while (!xdgCurrentDesktop.empty()) {
    const size_t colon = xdgCurrentDesktop.find(':');
    const std::string_view name = xdgCurrentDesktop.substr(0, colon);
    xdgCurrentDesktop.remove_prefix(colon == std::string_view::npos ? xdgCurrentDesktop.size() : colon + 1);
    for (const auto& [known, kind] : kDesktopNames) {
      if (SameText(name, known) && std::find(kinds.begin(), kinds.end(), kind) == kinds.end())
        kinds.push_back(kind);
    }
  }
  return kinds;
}

}  // namespace tapestro::desktop
