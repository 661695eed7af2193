#include "core/wallpaper_preparation.h"

#include <gtest/gtest.h>

#include "base/path.h"
#include "core/wallpaper_restore.h"
#include "platform/desktop/desktop_messages.h"
#include "platform/desktop/recording_desktop_backend.h"
#include "tests/core/recording_preparation_context.h"
#include "tests/support/temp_dir.h"

namespace tapestro {
namespace {

constexpr char kJpegTemporary[] = "/tmp/program/tempwp.bmp";
constexpr char kGifTemporary[] = "/tmp/program/temp.bmp";

// A conversion that records its sources and answers with a chosen outcome.
struct RecordedConversion {
  explicit RecordedConversion(TConversionOutcome outcome) : Outcome(std::move(outcome)) {}
  TWallpaperConversion Function() {
    return [this](const std::string& source, TConversionContext&) {
      Sources.push_back(source);
      return Outcome;
    };
  }
  TConversionOutcome Outcome;
  std::vector<std::string> Sources;
};

class WallpaperPreparationTest : public ::testing::Test {
 protected:
  bool Prepare(const std::string& file, TPlacementReader readPlacement = ReadStoredPlacement) {
    values.CurrentFile = file;
    return TWallpaperPreparation(settings, values, context, desktop, {jpeg.Function(), gif.Function()},
                                 std::move(readPlacement))
        .do_wallpaper();
  }
  void StorePlacement(const std::string& value) { settings.WriteSetting("Settings", "Wallpaperloc", value); }
  // The value handed to the desktop under name, or "" when none was.
  std::string Written(const std::string& name) const {
    for (const std::string& call : desktop.Calls)
      if (call.rfind("set " + name + "=", 0) == 0) return call.substr(name.size() + 5);
    return "";
  }
  std::string Placement() const {
    return Written("TileWallpaper") + Written("WallpaperStyle") + " " + Written("WallpaperOriginX") + "," +
           Written("WallpaperOriginY");
  }

  test::TempDir dir;
  TSettings settings{dir.File("Tapestro.ini")};
  TProgramValues values;
  test::RecordingPreparationContext context;
  desktop::TRecordingDesktopBackend desktop;
  RecordedConversion jpeg{TConversionOutcome{true, kJpegTemporary}};
  RecordedConversion gif{TConversionOutcome{true, kGifTemporary}};
};

TEST(WallpaperRouteTest, TheUpperCasedNameChoosesTheConversionAnywhereInThePath) {
  struct Case {
    const char* File;
    const char* Conversion;  // "jpeg", "gif" or "" for none
    const char* Applied;
  };
  const Case cases[] = {
      {"/pics/a.bmp", "", "/pics/a.bmp"},
      {"/pics/PICTURE.PNG", "", "/pics/PICTURE.PNG"},
      {"/pics/picture.gif", "gif", kGifTemporary},
      {"/pics/photo.jpg", "jpeg", kJpegTemporary},
      {"/pics/photo.jpeg", "jpeg", kJpegTemporary},
      {"/pics/notes.txt", "jpeg", kJpegTemporary},
      // A folder's name counts too, and BMP and PNG win over GIF.
      {"/pics/x.bmp/photo.jpg", "", "/pics/x.bmp/photo.jpg"},
      {"/pics/frame.gif.png", "", "/pics/frame.gif.png"},
      {"/pics/old.GIF/still.Bmp", "", "/pics/old.GIF/still.Bmp"},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    TSettings settings(dir.File("Tapestro.ini"));
    TProgramValues values{-1, c.File, ""};
    test::RecordingPreparationContext context;
    desktop::TRecordingDesktopBackend desktop;
    RecordedConversion jpeg({true, kJpegTemporary}), gif({true, kGifTemporary});
    EXPECT_TRUE(TWallpaperPreparation(settings, values, context, desktop, {jpeg.Function(), gif.Function()})
                    .do_wallpaper())
        << c.File;
    const std::string conversion = !jpeg.Sources.empty() ? "jpeg" : !gif.Sources.empty() ? "gif" : "";
    EXPECT_EQ(conversion, c.Conversion) << c.File;
    EXPECT_EQ(jpeg.Sources.size() + gif.Sources.size(), conversion.empty() ? 0u : 1u) << c.File;
    ASSERT_GE(desktop.Calls.size(), 2u) << c.File;
    EXPECT_EQ(desktop.Calls[1], std::string("set Wallpaper=") + c.Applied) << c.File;
    EXPECT_EQ(values.CurrentFile, ExtractFileName(c.File));
  }
}

TEST_F(WallpaperPreparationTest, AnUpdateEndsWithTheTimeAndTheBareNameAndForgetsTheSetting) {
  StorePlacement("2");
  EXPECT_TRUE(Prepare("/pics/sub/sunset.bmp"));
  EXPECT_EQ(desktop.Calls, (std::vector<std::string>{"open", "set Wallpaper=/pics/sub/sunset.bmp",
                                                     "set TileWallpaper=0", "set WallpaperStyle=2",
                                                     "set WallpaperOriginX=0", "set WallpaperOriginY=0", "close",
                                                     "reload"}));
  EXPECT_EQ(context.Messages, std::vector<std::string>{"Wallpaper updated at 12:34:56 (sunset.bmp)"});
  EXPECT_EQ(values.CurrentFile, "sunset.bmp");
  EXPECT_EQ(values.WinDir, "/");
  EXPECT_EQ(settings.SettingValue, "");
  EXPECT_TRUE(context.MessageBoxes.empty());
}

TEST_F(WallpaperPreparationTest, TheStoredPlacementGivesTheCodeAndTheOrigin) {
  const std::pair<const char*, const char*> cases[] = {
      {"0", "10 0,0"},    {"1", "00 0,0"},       {"2", "02 0,0"},     {"-1", "00 0,0"},
      {"3", "010 0,0"},   {"4", "06 0,0"},       {"5", "00 0,0"},     {"", "00 0,0"},
      {"Tile", "00 0,0"}, {"10,20", "00 10,20"}, {"-4,9", "00 -4,9"}, {" 7, -3", "00 7,-3"},
  };
  for (const auto& [stored, expected] : cases) {
    desktop.Calls.clear();
    StorePlacement(stored);
    ASSERT_TRUE(Prepare("/pics/a.png")) << stored;
    EXPECT_EQ(Placement(), expected) << stored;
  }
  // Without any stored placement the setting reads "n/a", which centres.
  settings.DeleteSetting("Settings", "Wallpaperloc");
  desktop.Calls.clear();
  ASSERT_TRUE(Prepare("/pics/a.png"));
  EXPECT_EQ(Placement(), "00 0,0");
}

TEST_F(WallpaperPreparationTest, AnOriginThatIsNoWholeNumberIsAnErrorAndNothingIsApplied) {
  const std::pair<const char*, const char*> cases[] = {
      {"10,x", "'x' is not a valid integer value"},
      {",5", "'' is not a valid integer value"},
      {"1,2,3", "'2,3' is not a valid integer value"},
      {"99999999999,0", "'99999999999' is not a valid integer value"},
  };
  for (const auto& [stored, error] : cases) {
    StorePlacement(stored);
    try {
      Prepare("/pics/a.bmp");
      ADD_FAILURE() << stored << " was applied";
    } catch (const EConvertError& raised) {
      EXPECT_STREQ(raised.what(), error);
    }
    EXPECT_TRUE(desktop.Calls.empty()) << stored;
    EXPECT_TRUE(context.Messages.empty()) << stored;
    EXPECT_EQ(settings.SettingValue, stored);
    EXPECT_EQ(values.CurrentFile, "a.bmp");
  }
}

TEST_F(WallpaperPreparationTest, AJpegConversionThatStopsLeavesEverythingAsItWas) {
  jpeg.Outcome = {false, ""};
  StorePlacement("0");
  settings.SettingValue = "earlier";
  EXPECT_FALSE(Prepare("/pics/photo.jpg"));
  EXPECT_EQ(jpeg.Sources, std::vector<std::string>{"/pics/photo.jpg"});
  EXPECT_TRUE(desktop.Calls.empty());
  EXPECT_TRUE(context.Messages.empty());
  EXPECT_EQ(values.CurrentFile, "/pics/photo.jpg");
  EXPECT_EQ(settings.SettingValue, "earlier");
}

TEST_F(WallpaperPreparationTest, AGifConversionWithoutATemporaryFileAppliesTheGifItself) {
  for (const char* temporary : {"", "a/b"}) {
    gif.Outcome = {true, temporary};
    desktop.Calls.clear();
    EXPECT_TRUE(Prepare("/pics/anim.gif"));
    EXPECT_EQ(Written("Wallpaper"), "/pics/anim.gif") << temporary;
    EXPECT_EQ(context.Messages.back(), "Wallpaper updated at 12:34:56 (anim.gif)");
  }
}

TEST_F(WallpaperPreparationTest, WithoutASystemFolderNothingIsConvertedOrApplied) {
  context.SystemFolder = "";
  values.WinDir = "/earlier";
  EXPECT_FALSE(Prepare("/pics/photo.jpg"));
  EXPECT_EQ(context.MessageBoxes,
            std::vector<std::string>{"Error - windows directory not found for Wallpaper logic."});
  EXPECT_EQ(values.WinDir, "");
  EXPECT_TRUE(jpeg.Sources.empty());
  EXPECT_TRUE(desktop.Calls.empty());
  EXPECT_TRUE(context.Messages.empty());
}

TEST_F(WallpaperPreparationTest, ABareNameReachesTheDesktopAbsoluteAgainstTheListedFolder) {
  const std::string start = GetCurrentDir();
  ASSERT_TRUE(SetCurrentDir(dir.Path()));
  const bool applied = Prepare("a.png");
  SetCurrentDir(start);
  EXPECT_TRUE(applied);
  EXPECT_EQ(Written("Wallpaper"), dir.File("a.png"));
  EXPECT_EQ(values.CurrentFile, "a.png");
}

TEST_F(WallpaperPreparationTest, DesktopErrorsPassThroughWithoutTheFinalMessage) {
  StorePlacement("1");
  desktop.FailingWrite = 0;
  EXPECT_THROW(Prepare("/pics/a.bmp"), EDesktopSettingsError);
  desktop.FailingWrite.reset();
  desktop.FailReload = true;
  EXPECT_THROW(Prepare("/pics/b.bmp"), EDesktopReloadError);
  EXPECT_TRUE(context.Messages.empty());
  EXPECT_EQ(settings.SettingValue, "1");
}

std::string Setting(TSettings& settings, const char* key) {
  settings.ReadSetting("Settings", key);
  return settings.SettingValue;
}

TEST_F(WallpaperPreparationTest, AGivenPlacementStandsInForTheStoredOneAndTheChangeIsKept) {
  EXPECT_TRUE(Prepare("/pics/a.gif", [](TSettings& read) { read.SettingValue = "4"; }));
  EXPECT_EQ(Placement(), "06 0,0");
  EXPECT_EQ(Setting(settings, "Wallpaperloc"), "n/a");
  // The converted picture, as converted, for the next start.
  EXPECT_EQ(Setting(settings, "LastWallpaper"), kGifTemporary);
  EXPECT_EQ(Setting(settings, "LastWallpaperloc"), "4");
}

TEST_F(WallpaperPreparationTest, TheKeptWallpaperComesBackOnlyWhereTheDesktopForgetsIt) {
  EXPECT_EQ(RestoreLastWallpaper(settings, desktop), TRestoreOutcome::NothingKept);
  ASSERT_TRUE(Prepare("/pics/a.bmp", [](TSettings& read) { read.SettingValue = "-3,8"; }));
  desktop.Calls.clear();
  EXPECT_EQ(RestoreLastWallpaper(settings, desktop), TRestoreOutcome::DesktopKeepsIt);
  EXPECT_TRUE(desktop.Calls.empty());
  desktop.Forgets = true;
  EXPECT_EQ(RestoreLastWallpaper(settings, desktop), TRestoreOutcome::Restored);
  EXPECT_EQ(Written("Wallpaper"), "/pics/a.bmp");
  EXPECT_EQ(Placement(), "00 -3,8");
  EXPECT_EQ(context.Messages.size(), 1u);  // only the change's own
  desktop.Forgets = false;
  desktop.FailReload = true;
  EXPECT_THROW(RestoreLastWallpaper(settings, desktop, true), EDesktopReloadError);
}

}  // namespace
}  // namespace tapestro
