// Which back end a session gets: the session type first, the desktops it names, what
// answers; a session nothing can drive gets a refusal that names it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "platform/desktop/linux/desktop_factory_linux.h"

namespace tapestro::desktop {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using K = TDesktopKind;

std::vector<K> Kinds(const TSessionEnvironment& session) {
  std::vector<K> kinds;
  for (const TDesktopCandidate& candidate : DesktopCandidates(session)) kinds.push_back(candidate.Kind);
  return kinds;
}

TSessionEnvironment Named(const char* current, const char* session = "", bool wayland = false) {
  return {wayland, current, session, false, false};
}

TDesktopChoice Choose(const TSessionEnvironment& session, std::set<K> answering) {
  return ChooseDesktop(session, [&answering](K kind) { return answering.count(kind) != 0; });
}

TEST(DesktopCandidatesTest, NamesGiveTheirBackEndsInOrderEachOnce) {
  EXPECT_THAT(Kinds(Named("ubuntu:GNOME")), ElementsAre(K::Gnome));
  EXPECT_THAT(Kinds(Named("Unity:Unity7:ubuntu")), ElementsAre(K::Gnome));
  EXPECT_THAT(Kinds(Named("Budgie:GNOME")), ElementsAre(K::Gnome));
  EXPECT_THAT(Kinds(Named("Pantheon")), ElementsAre(K::Gnome));
  EXPECT_THAT(Kinds(Named("X-Cinnamon")), ElementsAre(K::Cinnamon));
  EXPECT_THAT(Kinds(Named("MATE")), ElementsAre(K::Mate));
  EXPECT_THAT(Kinds(Named("xfce")), ElementsAre(K::Xfce));
  EXPECT_THAT(Kinds(Named("LXQt")), ElementsAre(K::Lxqt));
  EXPECT_THAT(Kinds(Named("", "LXDE-pi")), ElementsAre(K::Lxde));
  EXPECT_THAT(Kinds(Named("KDE:XFCE:KDE", "/usr/share/xsessions/plasma")), ElementsAre(K::Kde, K::Xfce));
  EXPECT_THAT(Kinds(Named("sway")), ElementsAre(K::Sway, K::Swaybg));
  EXPECT_THAT(Kinds(Named("Hyprland")), ElementsAre(K::Hyprpaper, K::Swaybg));
  EXPECT_THAT(Kinds(Named("river:wlroots")), ElementsAre(K::Swaybg));
  EXPECT_THAT(Kinds({true, "", "", true, true}), ElementsAre(K::Sway, K::Hyprpaper));
  EXPECT_THAT(Kinds(Named(":::")), IsEmpty());
  EXPECT_THAT(Kinds(Named("GNOMEish:KDE5:openbox", "i3")), IsEmpty());
}

TEST(DesktopChoiceTest, TheFirstDesktopThatAnswersIsTaken) {
  EXPECT_EQ(Choose(Named("KDE:XFCE"), {K::Xfce, K::X11}).Kind, K::Xfce);
  EXPECT_EQ(Choose(Named("sway", "", true), {K::Swaybg}).Kind, K::Swaybg);
  EXPECT_EQ(Choose(Named("sway", "", true), {K::Sway, K::Swaybg}).Kind, K::Sway);
  // Only a session that names no desktop of its own is painted on the root window.
  EXPECT_EQ(Choose(Named("openbox"), {K::X11}).Kind, K::X11);
  EXPECT_EQ(Choose(Named(""), {K::X11}).Kind, K::X11);
}

TEST(DesktopChoiceTest, NoRootWindowOnWaylandOrUnderADesktopOfItsOwn) {
  const TDesktopChoice wayland = Choose(Named("weston", "", true), {K::X11});
  EXPECT_FALSE(wayland.Kind);
  EXPECT_THAT(wayland.Refusal, HasSubstr("cannot set the wallpaper of the Wayland desktop weston;"));
  EXPECT_THAT(wayland.Refusal, HasSubstr("set WallpaperCommand in the [Settings] section"));
  EXPECT_THAT(Choose(Named("", "", true), {K::X11}).Refusal, HasSubstr("of this Wayland session;"));

  const TDesktopChoice lxqt = Choose(Named("LXQt"), {K::X11});
  EXPECT_FALSE(lxqt.Kind);
  EXPECT_THAT(lxqt.Refusal, HasSubstr("cannot set the wallpaper of LXQt (pcmanfm-qt was not found on PATH);"));
  EXPECT_THAT(Choose(Named("river", "", true), {}).Refusal, HasSubstr("swaybg was not found on PATH"));
  EXPECT_THAT(Choose(Named(""), {}).Refusal, HasSubstr("of this session (no desktop and no X display answer);"));
}

TEST(DesktopKindTest, EveryKindIsFoundByItsNameAndLinuxMakesAllButWindows) {
  for (const auto& [kind, name] : kDesktopKindNames) {
    EXPECT_EQ(DesktopKindNamed(name), kind);
    const auto backend = CreateDesktopBackend(kind, {"/tmp", "true"});
    if (kind == K::Windows) {
      EXPECT_EQ(backend, nullptr);
    } else {
      ASSERT_NE(backend, nullptr) << name;
      EXPECT_EQ(backend->Name(), name);
    }
  }
  EXPECT_EQ(DesktopKindNamed("KDE"), std::nullopt);
  // The user's command wins over whatever the session is.
  EXPECT_EQ(CreateDesktopBackend({"/tmp", "my-setter %f"})->Name(), "command");
}

}  // namespace
}  // namespace tapestro::desktop
