// How each back end names the four layouts, and the words it hands its desktop.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/desktop/linux/gsettings/gsettings_backend.h"
#include "platform/desktop/linux/kde/plasma_script.h"
#include "platform/desktop/linux/xfce/xfce_backdrops.h"

namespace tapestro::desktop {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(BackendPlacementTest, EachDesktopNamesTheLayoutsItsOwnWay) {
  EXPECT_STREQ(GSettingsPictureOption(TWallpaperLayout::Tile), "wallpaper");
  EXPECT_STREQ(GSettingsPictureOption(TWallpaperLayout::Center), "centered");
  EXPECT_STREQ(GSettingsPictureOption(TWallpaperLayout::Stretch), "stretched");
  EXPECT_STREQ(GSettingsPictureOption(TWallpaperLayout::Origin), "centered");

  EXPECT_EQ(PlasmaFillMode(TWallpaperLayout::Tile), 3);
  EXPECT_EQ(PlasmaFillMode(TWallpaperLayout::Center), 6);
  EXPECT_EQ(PlasmaFillMode(TWallpaperLayout::Stretch), 0);
  EXPECT_EQ(PlasmaFillMode(TWallpaperLayout::Origin), 6);

  EXPECT_EQ(XfceImageStyle(TWallpaperLayout::Tile), 1);
  EXPECT_EQ(XfceImageStyle(TWallpaperLayout::Center), 2);
  EXPECT_EQ(XfceImageStyle(TWallpaperLayout::Stretch), 3);
  EXPECT_EQ(XfceImageStyle(TWallpaperLayout::Origin), 2);
}

TEST(PlasmaScriptTest, AnyFileNameStaysInsideTheScriptsStringQuotes) {
  EXPECT_EQ(FileUrl("/home/u/pics/a_b-c.d~1.bmp"), "file:///home/u/pics/a_b-c.d~1.bmp");
  EXPECT_EQ(FileUrl("/x/a b\"c'\\d\ne%\xff.png"), "file:///x/a%20b%22c%27%5Cd%0Ae%25%FF.png");
  const std::string script = PlasmaWallpaperScript("/x/\");evil();(\".bmp", TWallpaperLayout::Tile);
  EXPECT_THAT(script, HasSubstr("d.writeConfig(\"Image\", \"file:///x/%22%29%3Bevil%28%29%3B%28%22.bmp\");"));
  EXPECT_THAT(script, HasSubstr("d.writeConfig(\"FillMode\", 3);"));
  EXPECT_THAT(script, HasSubstr("d.wallpaperPlugin = \"org.kde.image\";"));
  EXPECT_THAT(script, HasSubstr("for (var i = 0; i < all.length; i++)"));
}

TEST(XfceBackdropsTest, OnlyExistingLastImagePropertiesAreBackdrops) {
  const std::vector<std::string> names{
      "/backdrop/screen0/monitorVirtual-1/workspace0/last-image",
      "/backdrop/screen0/monitorVirtual-1/workspace0/image-style",
      "/backdrop/screen0/monitorHDMI-A-2/workspace3/last-image",
      "/backdrop/screen0/monitor0/image-path",
      "/backdrop/screen0/monitor/workspace0/last-image",
      "/backdrop/screen0/monitorX/workspace0/last-image/extra",
      "/backdrop/screen0/monitorX/workspace0/last-images",
      "/backdrop/screen0/monitorX/desk0/last-image",
      "/backdrop/single-workspace-mode",
      "/desktop-icons/style",
  };
  EXPECT_THAT(XfceBackdrops(names), ElementsAre("/backdrop/screen0/monitorVirtual-1/workspace0",
                                                "/backdrop/screen0/monitorHDMI-A-2/workspace3"));
  EXPECT_TRUE(XfceBackdrops({}).empty());
}

}  // namespace
}  // namespace tapestro::desktop
