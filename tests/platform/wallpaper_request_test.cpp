#include "platform/desktop/linux/wallpaper_request.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/desktop/desktop_factory.h"
#include "platform/desktop/desktop_messages.h"

namespace tapestro::desktop {
namespace {

TWallpaperRequest RequestFor(const char* tile, const char* style, const char* x, const char* y) {
  TWallpaperValues values;
  EXPECT_TRUE(values.Set("Wallpaper", "/w.bmp"));
  EXPECT_TRUE(values.Set("TileWallpaper", tile));
  EXPECT_TRUE(values.Set("WallpaperStyle", style));
  EXPECT_TRUE(values.Set("WallpaperOriginX", x));
  EXPECT_TRUE(values.Set("WallpaperOriginY", y));
  return values.Request();
}

TEST(WallpaperValuesTest, TheFiveValuesOfEachPlacementGiveItsLayout) {
  EXPECT_EQ(RequestFor("1", "0", "0", "0").Layout, TWallpaperLayout::Tile);
  EXPECT_EQ(RequestFor("0", "0", "0", "0").Layout, TWallpaperLayout::Center);
  EXPECT_EQ(RequestFor("0", "2", "0", "0").Layout, TWallpaperLayout::Stretch);
  EXPECT_EQ(RequestFor("0", "10", "0", "0").Layout, TWallpaperLayout::Fill);
  EXPECT_EQ(RequestFor("0", "6", "0", "0").Layout, TWallpaperLayout::Fit);
  const TWallpaperRequest origin = RequestFor("0", "0", "10", "-20");
  EXPECT_EQ(origin.Layout, TWallpaperLayout::Origin);
  EXPECT_EQ(origin.OriginX, 10);
  EXPECT_EQ(origin.OriginY, -20);
  EXPECT_EQ(origin.File, "/w.bmp");
  // Tiling wins over everything else; an origin only counts without tile or stretch.
  EXPECT_EQ(RequestFor("1", "2", "5", "5").Layout, TWallpaperLayout::Tile);
  EXPECT_EQ(RequestFor("0", "2", "5", "5").Layout, TWallpaperLayout::Stretch);
  EXPECT_EQ(RequestFor("0", "2", "5", "5").OriginX, 0);
}

TEST(WallpaperValuesTest, ValuesNoDesktopCouldShowAreRefused) {
  TWallpaperValues values;
  EXPECT_FALSE(values.Set("Wallpapers", "/w.bmp"));
  EXPECT_FALSE(values.Set("wallpaper", "/w.bmp"));
  for (const char* bad : {"", "2", "yes", " 1"}) EXPECT_FALSE(values.Set("TileWallpaper", bad)) << bad;
  for (const char* bad : {"", "1", "3", "22", "fill"}) EXPECT_FALSE(values.Set("WallpaperStyle", bad)) << bad;
  for (const char* bad : {"", "+", "-", "1.5", "12a", " 3", "2147483648", "-2147483649"})
    EXPECT_FALSE(values.Set("WallpaperOriginX", bad)) << bad;
  EXPECT_TRUE(values.Set("WallpaperOriginY", "-2147483648"));
  EXPECT_EQ(values.Request().OriginY, INT32_MIN);
}

TEST(WallpaperValuesTest, ClearForgetsTheLastChange) {
  TWallpaperValues values;
  values.Set("Wallpaper", "/w.bmp");
  values.Set("TileWallpaper", "1");
  values.Clear();
  EXPECT_EQ(values.Request().File, "");
  EXPECT_EQ(values.Request().Layout, TWallpaperLayout::Center);
}

TEST(WallpaperValuesTest, EachLayoutHasOneWord) {
  EXPECT_EQ(LayoutWord({"/w", TWallpaperLayout::Tile}), "tile");
  EXPECT_EQ(LayoutWord({"/w", TWallpaperLayout::Center}), "center");
  EXPECT_EQ(LayoutWord({"/w", TWallpaperLayout::Stretch}), "stretch");
  EXPECT_EQ(LayoutWord({"/w", TWallpaperLayout::Fill}), "fill");
  EXPECT_EQ(LayoutWord({"/w", TWallpaperLayout::Fit}), "fit");
  EXPECT_EQ(LayoutWord({"/w", TWallpaperLayout::Origin, -3, 40}), "-3,40");
}

TEST(CollectingDesktopBackendTest, TheReloadTellsWhyNothingCanShowTheWallpaper) {
  // A Wayland session that names no desktop we drive, whatever X server is behind it.
  ::setenv("XDG_SESSION_TYPE", "wayland", 1);
  ::setenv("XDG_CURRENT_DESKTOP", "weston", 1);
  ::unsetenv("DESKTOP_SESSION");
  ::unsetenv("SWAYSOCK");
  ::unsetenv("HYPRLAND_INSTANCE_SIGNATURE");
  const auto backend = CreateDesktopBackend({"/tmp", ""});
  TDesktopBackend& desktop = *backend;
  EXPECT_EQ(desktop.Name(), "none");
  ASSERT_TRUE(desktop.OpenStore());
  EXPECT_EQ(desktop.SetStringValue("TileWallpaper", "7"), TStoreResult::Refused);
  try {
    desktop.Reload();
    FAIL() << "no error";
  } catch (const EDesktopReloadError& e) {
    EXPECT_STREQ(e.what(), "The desktop did not take the wallpaper: no wallpaper file was given");
  }
  EXPECT_EQ(desktop.SetStringValue("Wallpaper", "/w.bmp"), TStoreResult::Stored);
  try {
    desktop.Reload();
    FAIL() << "no error";
  } catch (const EDesktopReloadError& e) {
    EXPECT_THAT(e.what(), ::testing::StartsWith("The desktop did not take the wallpaper: Tapestro cannot set the "
                                                "wallpaper of the Wayland desktop weston; set WallpaperCommand"));
  }
}

}  // namespace
}  // namespace tapestro::desktop
