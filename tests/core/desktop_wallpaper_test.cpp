#include "core/desktop_wallpaper.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/path.h"
#include "platform/desktop/desktop_messages.h"
#include "platform/desktop/recording_desktop_backend.h"

namespace tapestro {
namespace {

using desktop::TRecordingDesktopBackend;
using desktop::TStoreResult;
using ::testing::ElementsAre;

std::vector<std::string> Written(const std::string& file, const char* tile, const char* style, const char* x,
                                 const char* y) {
  return {"open",
          "set Wallpaper=" + file,
          std::string("set TileWallpaper=") + tile,
          std::string("set WallpaperStyle=") + style,
          std::string("set WallpaperOriginX=") + x,
          std::string("set WallpaperOriginY=") + y,
          "close",
          "reload"};
}

TEST(SetDesktopWallpaperTest, WritesTheFiveValuesInOrderThenReloadsOnceForEachPlacement) {
  const std::string file = "/home/user/pictures/sunset.bmp";
  struct Case {
    PlacementCode Code;
    std::vector<std::string> Expected;
  };
  const Case cases[] = {
      {PlacementCode::Tile, Written(file, "1", "0", "0", "0")},
      {PlacementCode::Center, Written(file, "0", "0", "0", "0")},
      {PlacementCode::SizeToFit, Written(file, "0", "2", "0", "0")},
      {PlacementCode::Fill, Written(file, "0", "10", "0", "0")},
      {PlacementCode::Fit, Written(file, "0", "6", "0", "0")},
      {PlacementCode::ExplicitOrigin, Written(file, "0", "0", "10", "-20")},
  };
  for (const Case& c : cases) {
    TRecordingDesktopBackend desktop;
    // The origin is handed with every code; only the explicit origin may use it.
    SetDesktopWallpaper(desktop, file, c.Code, 10, -20);
    EXPECT_EQ(desktop.Calls, c.Expected) << static_cast<int>(c.Code);
  }
}

TEST(SetDesktopWallpaperTest, ExtremeOriginsAreWrittenAsSignedDecimals) {
  TRecordingDesktopBackend desktop;
  SetDesktopWallpaper(desktop, "/w.bmp", PlacementCode::ExplicitOrigin, INT32_MIN, INT32_MAX);
  EXPECT_EQ(desktop.Calls, Written("/w.bmp", "0", "0", "-2147483648", "2147483647"));
}

TEST(SetDesktopWallpaperTest, ABareNameReachesTheDesktopAsAnAbsolutePath) {
  TRecordingDesktopBackend desktop;
  SetDesktopWallpaper(desktop, "picture.png", PlacementCode::Center, 0, 0);
  EXPECT_EQ(desktop.Calls.at(1), "set Wallpaper=" + IncludeTrailingPathDelimiter(GetCurrentDir()) + "picture.png");

  TRecordingDesktopBackend absolute;
  SetDesktopWallpaper(absolute, "/tmp/a b/tempwp.bmp", PlacementCode::Center, 0, 0);
  EXPECT_EQ(absolute.Calls.at(1), "set Wallpaper=/tmp/a b/tempwp.bmp");
}

TEST(SetDesktopWallpaperTest, AStoreThatCannotBeOpenedGetsNothingWritten) {
  TRecordingDesktopBackend desktop;
  desktop.FailOpen = true;
  try {
    SetDesktopWallpaper(desktop, "/w.bmp", PlacementCode::Tile, 0, 0);
    FAIL() << "no error";
  } catch (const EDesktopSettingsError& e) {
    EXPECT_STREQ(e.what(), "Failed to create key ");
  }
  EXPECT_THAT(desktop.Calls, ElementsAre("open"));
}

TEST(SetDesktopWallpaperTest, ARefusedValueStopsTheWritesAndTheReload) {
  const char* names[] = {"Wallpaper", "TileWallpaper", "WallpaperStyle", "WallpaperOriginX", "WallpaperOriginY"};
  for (size_t failing = 0; failing < 5; ++failing) {
    for (TStoreResult result : {TStoreResult::Refused, TStoreResult::StoreUnavailable}) {
      TRecordingDesktopBackend desktop;
      desktop.FailingWrite = failing;
      desktop.FailingWriteResult = result;
      try {
        SetDesktopWallpaper(desktop, "/w.bmp", PlacementCode::ExplicitOrigin, 3, 4);
        FAIL() << "no error";
      } catch (const EDesktopSettingsError& e) {
        const std::string expected = result == TStoreResult::Refused
                                         ? std::string("Failed to set data for '") + names[failing] + "'"
                                         : "Failed to create key ";
        EXPECT_EQ(e.Message(), expected);
      }
      // open, the writes up to the failing one, then the store is closed; no reload.
      ASSERT_EQ(desktop.Calls.size(), failing + 3);
      EXPECT_EQ(desktop.Calls[failing + 1].rfind(std::string("set ") + names[failing] + "=", 0), 0u);
      EXPECT_EQ(desktop.Calls.back(), "close");
    }
  }
}

TEST(SetDesktopWallpaperTest, ADesktopThatDoesNotTakeTheValuesIsReported) {
  TRecordingDesktopBackend desktop;
  desktop.FailReload = true;
  EXPECT_THROW(SetDesktopWallpaper(desktop, "/w.bmp", PlacementCode::Center, 0, 0), EDesktopReloadError);
  EXPECT_EQ(desktop.Calls.back(), "reload");
}

TEST(PlacementSettingTest, EachWordIsStoredAsItsPlacementListIndexAndReadBackAsItsCode) {
  const std::pair<const char*, PlacementCode> words[] = {
      {"tile", PlacementCode::Tile}, {"center", PlacementCode::Center}, {"fit", PlacementCode::SizeToFit}};
  for (size_t index = 0; index < std::size(words); ++index) {
    const auto& [word, code] = words[index];
    EXPECT_EQ(PlacementSettingOfWord(word), std::to_string(index)) << word;
    EXPECT_EQ(ParsePlacementSetting(std::to_string(index)).Code, code) << word;
  }
  EXPECT_EQ(PlacementSettingOfWord("10,x"), "10,x");  // checked when applied, as a stored one
  for (const char* refused : {"Tile", "stretch", "1", ""}) EXPECT_EQ(PlacementSettingOfWord(refused), std::nullopt);
}

TEST(PlacementSettingTest, OnlyTwoWholeNumbersMakeAnOriginThatApplies) {
  for (const char* origin : {"10,20", "-4,9", " 7, -3"}) EXPECT_TRUE(IsOriginSetting(origin)) << origin;
  for (const char* other : {"0", "10,x", ",5", "1,2,3", "n/a"}) EXPECT_FALSE(IsOriginSetting(other)) << other;
}

}  // namespace
}  // namespace tapestro
