#include <cstdlib>

#include "platform/desktop/desktop_factory.h"
#include "platform/desktop/linux/desktop_candidates.h"
#include "platform/desktop/linux/gsettings/gsettings_backend.h"
#include "platform/desktop/linux/kde/kde_plasma_backend.h"
#include "platform/desktop/linux/unavailable_desktop_backend.h"
#include "platform/desktop/linux/x11/x11_desktop_backend.h"
#include "platform/desktop/linux/x11/x11_root_window.h"
#include "platform/desktop/linux/xfce/xfce_backend.h"

namespace tapestro::desktop {

namespace {

bool Answers(TDesktopKind kind) {
  switch (kind) {
    case TDesktopKind::Gnome:
      return GSettingsSchemaInstalled(TGSettingsDesktop::Gnome);
    case TDesktopKind::Cinnamon:
      return GSettingsSchemaInstalled(TGSettingsDesktop::Cinnamon);
    case TDesktopKind::Mate:
      return GSettingsSchemaInstalled(TGSettingsDesktop::Mate);
    case TDesktopKind::Kde:
      return PlasmaShellAnswers();
    case TDesktopKind::Xfce:
      return XfconfAnswers();
    case TDesktopKind::X11:
      return X11DisplayReachable();
    case TDesktopKind::Windows:
      break;
  }
  return false;
}

}  // namespace

std::unique_ptr<TDesktopBackend> CreateDesktopBackend(TDesktopKind kind, const std::string& freshNameFolder) {
  switch (kind) {
    case TDesktopKind::X11:
      return std::make_unique<TX11DesktopBackend>();
    case TDesktopKind::Gnome:
      return std::make_unique<TGSettingsDesktopBackend>(TGSettingsDesktop::Gnome);
    case TDesktopKind::Cinnamon:
      return std::make_unique<TGSettingsDesktopBackend>(TGSettingsDesktop::Cinnamon);
    case TDesktopKind::Mate:
      return std::make_unique<TGSettingsDesktopBackend>(TGSettingsDesktop::Mate);
    case TDesktopKind::Kde:
      return std::make_unique<TKdePlasmaDesktopBackend>(freshNameFolder);
    case TDesktopKind::Xfce:
      return std::make_unique<TXfceDesktopBackend>(freshNameFolder);
    case TDesktopKind::Windows:
      break;
  }
  return nullptr;
}

std::unique_ptr<TDesktopBackend> CreateDesktopBackend(const std::string& freshNameFolder) {
  const char* current = std::getenv("XDG_CURRENT_DESKTOP");
  std::vector<TDesktopKind> candidates = DesktopCandidates(current != nullptr ? current : "");
  candidates.push_back(TDesktopKind::X11);
  for (const TDesktopKind kind : candidates)
    if (Answers(kind)) return CreateDesktopBackend(kind, freshNameFolder);
  return std::make_unique<TUnavailableDesktopBackend>();
}

}  // namespace tapestro::desktop
