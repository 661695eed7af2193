#include "platform/desktop/linux/desktop_factory_linux.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

#include "base/text.h"
#include "platform/desktop/desktop_messages.h"
#include "platform/desktop/linux/command_backend.h"
#include "platform/desktop/linux/external_process.h"
#include "platform/desktop/linux/gsettings_backend.h"
#include "platform/desktop/linux/hyprpaper_backend.h"
#include "platform/desktop/linux/kde_plasma_backend.h"
#include "platform/desktop/linux/pcmanfm_backend.h"
#include "platform/desktop/linux/sway_backend.h"
#include "platform/desktop/linux/swaybg_backend.h"
#include "platform/desktop/linux/x11/x11_root_backend.h"
#include "platform/desktop/linux/x11/x11_root_window.h"
#include "platform/desktop/linux/xfce_backend.h"

namespace tapestro::desktop {

namespace {

struct TKnownDesktop {
  std::string_view Name;
  std::initializer_list<TDesktopKind> Kinds;  // tried in this order
};

// The names sessions give in XDG_CURRENT_DESKTOP and DESKTOP_SESSION. Wayland
// compositors built on wlroots, and Hyprland without hyprpaper, take a swaybg.
constexpr std::array<TKnownDesktop, 31> kKnownDesktops{{
    {"GNOME", {TDesktopKind::Gnome}},
    {"GNOME-Flashback", {TDesktopKind::Gnome}},
    {"GNOME-Classic", {TDesktopKind::Gnome}},
    {"gnome-xorg", {TDesktopKind::Gnome}},
    {"gnome-wayland", {TDesktopKind::Gnome}},
    {"Unity", {TDesktopKind::Gnome}},
    {"Budgie", {TDesktopKind::Gnome}},
    {"budgie-desktop", {TDesktopKind::Gnome}},
    {"Pantheon", {TDesktopKind::Gnome}},
    {"X-Cinnamon", {TDesktopKind::Cinnamon}},
    {"Cinnamon", {TDesktopKind::Cinnamon}},
    {"cinnamon-wayland", {TDesktopKind::Cinnamon}},
    {"MATE", {TDesktopKind::Mate}},
    {"KDE", {TDesktopKind::Kde}},
    {"plasma", {TDesktopKind::Kde}},
    {"plasmawayland", {TDesktopKind::Kde}},
    {"plasmax11", {TDesktopKind::Kde}},
    {"XFCE", {TDesktopKind::Xfce}},
    {"LXQt", {TDesktopKind::Lxqt}},
    {"LXDE", {TDesktopKind::Lxde}},
    {"LXDE-pi", {TDesktopKind::Lxde}},
    {"sway", {TDesktopKind::Sway, TDesktopKind::Swaybg}},
    {"Hyprland", {TDesktopKind::Hyprpaper, TDesktopKind::Swaybg}},
    {"river", {TDesktopKind::Swaybg}},
    {"labwc", {TDesktopKind::Swaybg}},
    {"wayfire", {TDesktopKind::Swaybg}},
    {"niri", {TDesktopKind::Swaybg}},
    {"dwl", {TDesktopKind::Swaybg}},
    {"hikari", {TDesktopKind::Swaybg}},
    {"cage", {TDesktopKind::Swaybg}},
    {"wlroots", {TDesktopKind::Swaybg}},
}};

// Why a desktop the session names does not answer.
std::string WhyNotAnswering(TDesktopKind kind) {
  switch (kind) {
    case TDesktopKind::Gnome:
    case TDesktopKind::Cinnamon:
    case TDesktopKind::Mate: return GSettingsUnavailableReason();
    case TDesktopKind::Kde: return "Plasma's shell is not on the session bus";
    case TDesktopKind::Xfce: return "xfconf is not on the session bus";
    case TDesktopKind::Lxqt: return "pcmanfm-qt was not found on PATH";
    case TDesktopKind::Lxde: return "pcmanfm was not found on PATH";
    case TDesktopKind::Sway: return "its socket SWAYSOCK does not answer";
    case TDesktopKind::Hyprpaper: return "hyprpaper's socket does not answer";
    case TDesktopKind::Swaybg: return "swaybg was not found on PATH; install the package swaybg";
    case TDesktopKind::X11:
    case TDesktopKind::Command:
    case TDesktopKind::Windows: break;
  }
  return "it does not answer";
}

void AddCandidates(std::string_view names, std::vector<TDesktopCandidate>& candidates) {
  while (!names.empty()) {
    const size_t colon = names.find(':');
    std::string_view name = names.substr(0, colon);
    names.remove_prefix(colon == std::string_view::npos ? names.size() : colon + 1);
    // DESKTOP_SESSION may be a session file's path.
    if (const size_t slash = name.rfind('/'); slash != std::string_view::npos) name.remove_prefix(slash + 1);
    for (const TKnownDesktop& known : kKnownDesktops) {
      if (!SameText(name, known.Name)) continue;
      for (const TDesktopKind kind : known.Kinds) {
        const bool seen = std::any_of(candidates.begin(), candidates.end(),
                                      [kind](const TDesktopCandidate& each) { return each.Kind == kind; });
        if (!seen) candidates.push_back({kind, std::string(name)});
      }
    }
  }
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// A session that names no desktop of ours: named after what it says about itself.
std::string SessionLabel(const TSessionEnvironment& session) {
  const std::string& name = !session.CurrentDesktop.empty() ? session.CurrentDesktop : session.DesktopSession;
  if (session.Wayland) return name.empty() ? "this Wayland session" : "the Wayland desktop " + name;
  return name.empty() ? "this session (no desktop and no X display answer)" : "the desktop " + name;
}

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
    case TDesktopKind::Lxqt: return OnPath(PcmanfmProgram(TPcmanfmDesktop::Lxqt));
    case TDesktopKind::Lxde: return OnPath(PcmanfmProgram(TPcmanfmDesktop::Lxde));
    case TDesktopKind::Sway: return SwayAnswers();
    case TDesktopKind::Hyprpaper: return HyprpaperAnswers();
    case TDesktopKind::Swaybg: return OnPath(kSwaybgProgram);
    case TDesktopKind::X11:
      return X11DisplayReachable();
    case TDesktopKind::Command:
    case TDesktopKind::Windows:
      break;
  }
  return false;
}

// Stands where no desktop can be driven: it takes the values and its reload says why.
class TUnsupportedDesktopBackend final : public TCollectingDesktopBackend {
 public:
  explicit TUnsupportedDesktopBackend(std::string refusal) : refusal_(std::move(refusal)) {}
  std::string Name() const override { return "none"; }

 protected:
  void Apply(const TWallpaperRequest&) override { ThrowReloadError(refusal_); }

 private:
  std::string refusal_;
};

}  // namespace

TSessionEnvironment TSessionEnvironment::OfThisProcess() {
  TSessionEnvironment session;
  session.Wayland = SameText(Environment("XDG_SESSION_TYPE"), "wayland") || !Environment("WAYLAND_DISPLAY").empty();
  session.CurrentDesktop = Environment("XDG_CURRENT_DESKTOP");
  session.DesktopSession = Environment("DESKTOP_SESSION");
  session.SwaySocket = !Environment("SWAYSOCK").empty();
  session.HyprlandInstance = !Environment("HYPRLAND_INSTANCE_SIGNATURE").empty();
  return session;
}

std::vector<TDesktopCandidate> DesktopCandidates(const TSessionEnvironment& session) {
  std::vector<TDesktopCandidate> candidates;
  AddCandidates(session.CurrentDesktop, candidates);
  AddCandidates(session.DesktopSession, candidates);
  const auto add = [&candidates](TDesktopKind kind) {
    const bool seen = std::any_of(candidates.begin(), candidates.end(),
                                  [kind](const TDesktopCandidate& each) { return each.Kind == kind; });
    if (!seen) candidates.push_back({kind, ""});
  };
  if (session.SwaySocket) add(TDesktopKind::Sway);
  if (session.HyprlandInstance) add(TDesktopKind::Hyprpaper);
  return candidates;
}

TDesktopChoice ChooseDesktop(const TSessionEnvironment& session, const TDesktopProbe& answers) {
  const std::vector<TDesktopCandidate> candidates = DesktopCandidates(session);
  for (const TDesktopCandidate& candidate : candidates)
    if (answers(candidate.Kind)) return {candidate.Kind, ""};
  // A desktop the session names draws its own background over the root window.
  for (const TDesktopCandidate& candidate : candidates) {
    if (candidate.Named.empty()) continue;
    return {std::nullopt,
            Format(msg::kNoBackendFor, candidate.Named, Format(msg::kDoesNotAnswer, WhyNotAnswering(candidate.Kind)))};
  }
  if (!session.Wayland && answers(TDesktopKind::X11)) return {TDesktopKind::X11, ""};
  return {std::nullopt, Format(msg::kNoBackendFor, SessionLabel(session), "")};
}

std::unique_ptr<TDesktopBackend> CreateDesktopBackend(TDesktopKind kind, const TDesktopSetup& setup) {
  switch (kind) {
    case TDesktopKind::X11:
      return std::make_unique<TX11DesktopBackend>();
    case TDesktopKind::Gnome:
      return std::make_unique<TGSettingsDesktopBackend>(TGSettingsDesktop::Gnome);
    case TDesktopKind::Cinnamon:
      return std::make_unique<TGSettingsDesktopBackend>(TGSettingsDesktop::Cinnamon);
    case TDesktopKind::Mate:
      return std::make_unique<TGSettingsDesktopBackend>(TGSettingsDesktop::Mate);
    case TDesktopKind::Kde: return std::make_unique<TKdePlasmaDesktopBackend>(setup.FreshNameFolder);
    case TDesktopKind::Xfce: return std::make_unique<TXfceDesktopBackend>(setup.FreshNameFolder);
    case TDesktopKind::Lxqt:
      return std::make_unique<TPcmanfmDesktopBackend>(TPcmanfmDesktop::Lxqt, setup.FreshNameFolder);
    case TDesktopKind::Lxde:
      return std::make_unique<TPcmanfmDesktopBackend>(TPcmanfmDesktop::Lxde, setup.FreshNameFolder);
    case TDesktopKind::Sway: return std::make_unique<TSwayDesktopBackend>(setup.FreshNameFolder);
    case TDesktopKind::Swaybg: return std::make_unique<TSwaybgDesktopBackend>();
    case TDesktopKind::Hyprpaper: return std::make_unique<THyprpaperDesktopBackend>(setup.FreshNameFolder);
    case TDesktopKind::Command: return std::make_unique<TCommandDesktopBackend>(setup.WallpaperCommand);
    case TDesktopKind::Windows:
      break;
  }
  return nullptr;
}

std::unique_ptr<TDesktopBackend> CreateDesktopBackend(const TDesktopSetup& setup) {
  if (!Trim(setup.WallpaperCommand).empty()) return CreateDesktopBackend(TDesktopKind::Command, setup);
  const TDesktopChoice choice = ChooseDesktop(TSessionEnvironment::OfThisProcess(), Answers);
  if (choice.Kind) return CreateDesktopBackend(*choice.Kind, setup);
  return std::make_unique<TUnsupportedDesktopBackend>(choice.Refusal);
}

}  // namespace tapestro::desktop
