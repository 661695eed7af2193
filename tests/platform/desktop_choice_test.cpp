#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/desktop/desktop_factory.h"
#include "platform/desktop/linux/desktop_candidates.h"

namespace tapestro::desktop {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(DesktopCandidatesTest, NamesInXdgCurrentDesktopGiveTheirBackEndsInOrder) {
  EXPECT_THAT(DesktopCandidates("GNOME"), ElementsAre(TDesktopKind::Gnome));
  EXPECT_THAT(DesktopCandidates("ubuntu:GNOME"), ElementsAre(TDesktopKind::Gnome));
  EXPECT_THAT(DesktopCandidates("Unity:Unity7:ubuntu"), ElementsAre(TDesktopKind::Gnome));
  EXPECT_THAT(DesktopCandidates("Budgie:GNOME"), ElementsAre(TDesktopKind::Gnome));
  EXPECT_THAT(DesktopCandidates("X-Cinnamon"), ElementsAre(TDesktopKind::Cinnamon));
  EXPECT_THAT(DesktopCandidates("MATE"), ElementsAre(TDesktopKind::Mate));
  EXPECT_THAT(DesktopCandidates("KDE"), ElementsAre(TDesktopKind::Kde));
  EXPECT_THAT(DesktopCandidates("XFCE"), ElementsAre(TDesktopKind::Xfce));
  EXPECT_THAT(DesktopCandidates("xfce"), ElementsAre(TDesktopKind::Xfce));
  EXPECT_THAT(DesktopCandidates("KDE:XFCE:KDE"), ElementsAre(TDesktopKind::Kde, TDesktopKind::Xfce));
}

TEST(DesktopCandidatesTest, UnknownOrEmptyNamesGiveNoCandidate) {
  EXPECT_THAT(DesktopCandidates(""), IsEmpty());
  EXPECT_THAT(DesktopCandidates(":::"), IsEmpty());
  EXPECT_THAT(DesktopCandidates("LXQt"), IsEmpty());
  EXPECT_THAT(DesktopCandidates("GNOMEish:KDE5"), IsEmpty());
}

TEST(DesktopKindTest, EveryKindIsFoundByItsName) {
  for (TDesktopKind kind : {TDesktopKind::X11, TDesktopKind::Gnome, TDesktopKind::Cinnamon, TDesktopKind::Mate,
                            TDesktopKind::Kde, TDesktopKind::Xfce, TDesktopKind::Windows}) {
    EXPECT_EQ(DesktopKindNamed(DesktopKindName(kind)), kind);
  }
  EXPECT_EQ(DesktopKindName(TDesktopKind::Kde), "kde");
  EXPECT_EQ(DesktopKindNamed("KDE"), std::nullopt);
  EXPECT_EQ(DesktopKindNamed("lxqt"), std::nullopt);
}

TEST(DesktopFactoryTest, ForcedKindsGiveTheirBackEndAndWindowsNoneHere) {
  for (const char* name : {"x11", "gnome", "cinnamon", "mate", "kde", "xfce"}) {
    const auto backend = CreateDesktopBackend(*DesktopKindNamed(name), "/tmp");
    ASSERT_NE(backend, nullptr) << name;
    EXPECT_EQ(backend->Name(), name);
  }
  EXPECT_EQ(CreateDesktopBackend(TDesktopKind::Windows, "/tmp"), nullptr);
}

}  // namespace
}  // namespace tapestro::desktop
