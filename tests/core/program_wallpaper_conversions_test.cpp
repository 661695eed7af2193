#include "core/program_wallpaper_conversions.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/core/recording_preparation_context.h"
#include "tests/support/temp_dir.h"

namespace tapestro {
namespace {

bool Shown(const test::RecordingPreparationContext& context, const std::string& text) {
  return std::find(context.Messages.begin(), context.Messages.end(), text) != context.Messages.end();
}

TEST(ProgramWallpaperConversionsTest, AJpegThatCannotBeLoadedStopsTheUpdateAfterABeepAndAPause) {
  test::TempDir dir;
  test::RecordingPreparationContext context(dir.Path() + "/");
  const std::string missing = dir.File("gone.jpg");
  const TConversionOutcome outcome = ProgramWallpaperConversions().Jpeg(missing, context);
  EXPECT_FALSE(outcome.Apply);
  EXPECT_EQ(context.Beeps, 1);
  EXPECT_TRUE(Shown(context, "Error loading non-GIF resource (myjpeg):" + missing));
  EXPECT_EQ(context.Pauses, std::vector<int>{500});
}

TEST(ProgramWallpaperConversionsTest, AGifThatCannotBeLoadedStillLetsTheUpdateGoOnWithoutATemporaryFile) {
  test::TempDir dir;
  test::RecordingPreparationContext context(dir.Path() + "/");
  const TConversionOutcome outcome = ProgramWallpaperConversions().Gif(dir.File("gone.gif"), context);
  EXPECT_TRUE(outcome.Apply);
  EXPECT_EQ(outcome.TemporaryPath, "");
  EXPECT_GE(context.Beeps, 1);
  EXPECT_TRUE(Shown(context, "Error loading GIF Image #efwp1..."));
}

}  // namespace
}  // namespace tapestro
