#include <array>
#include <utility>

#include "platform/desktop/desktop_factory.h"

namespace tapestro::desktop {

namespace {

constexpr std::array<std::pair<TDesktopKind, std::string_view>, 7> kKindNames{{
    {TDesktopKind::X11, "x11"},
    {TDesktopKind::Gnome, "gnome"},
    {TDesktopKind::Cinnamon, "cinnamon"},
    {TDesktopKind::Mate, "mate"},
    {TDesktopKind::Kde, "kde"},
    {TDesktopKind::Xfce, "xfce"},
    {TDesktopKind::Windows, "windows"},
}};

}  // namespace

std::string_view DesktopKindName(TDesktopKind kind) {
  for (const auto& [each, name] : kKindNames)
    if (each == kind) return name;
  return {};
}

std::optional<TDesktopKind> DesktopKindNamed(std::string_view name) {
  for (const auto& [kind, each] : kKindNames)
    if (each == name) return kind;
  return std::nullopt;
}

}  // namespace tapestro::desktop
