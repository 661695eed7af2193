// The two wallpaper conversions through a recording context: their messages, beeps and
// pauses in order (recorded, not slept), the file each writes and the path it returns,
// and the old wallpaper file kept whole on failure.
#include "core/wallpaper_conversions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "gif/gif_image.h"
#include "imaging/bitmap.h"
#include "imaging/jpeg/jpeg_image.h"
#include "tests/core/recording_preparation_context.h"
#include "tests/support/gif_bytes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

using Bytes = std::vector<unsigned char>;
using ::testing::ElementsAre;

class WallpaperConversionTest : public ::testing::Test {
 protected:
  std::string ProgramFolder() const { return program_.Path() + "/"; }
  void KeepOldWallpaper(const char* name) { program_.Write(name, "the previous wallpaper"); }
  std::string Contents(const char* name) const {
    const std::vector<unsigned char> bytes = test::ReadAll(program_.File(name));
    return {bytes.begin(), bytes.end()};
  }
  // No half-written sibling stays behind.
  size_t FilesInProgramFolder() const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(program_.Path()), {}));
  }

  test::TempDir program_;
  test::TempDir pictures_;
  test::RecordingPreparationContext context_{ProgramFolder()};
};

class JpegWallpaperConversionTest : public WallpaperConversionTest {
 protected:
  std::string Wallpaper() const { return program_.File("tempwp.bmp"); }
  std::string CopyPhoto(const std::string& name) {
    const std::vector<unsigned char> bytes = test::ReadAll(test::ProjectDataDir() + "/jpeg/photo-64x48.jpg");
    return pictures_.Write(name, std::string(bytes.begin(), bytes.end()));
  }
};

TEST_F(JpegWallpaperConversionTest, PhotoBecomesTempwpBmpInTheProgramFolder) {
  KeepOldWallpaper("tempwp.bmp");
  const std::string photo = CopyPhoto("photo.jpg");
  const TConversionOutcome outcome = TWallpaperConversions{}.Jpeg(photo, context_);
  EXPECT_TRUE(outcome.Apply);
  EXPECT_EQ(outcome.TemporaryPath, Wallpaper());
  EXPECT_THAT(context_.Events, ElementsAre("message Freeing resources...", "message Resources freed..."));
  EXPECT_EQ(FilesInProgramFolder(), 1u);

  TBitmap written;
  written.LoadFromFile(Wallpaper());
  EXPECT_EQ(std::filesystem::file_size(Wallpaper()), 54u + 192u * 48u);
  TJPEGImage jpeg;
  jpeg.LoadFromFile(photo);
  const TPixelView decoded = jpeg.Bitmap().Pixels();
  const TPixelView saved = written.Pixels();
  ASSERT_EQ(written.Width(), 64);
  for (int32_t y = 0; y < 48; ++y) ASSERT_TRUE(std::equal(saved.Row(y), saved.Row(y) + 192, decoded.Row(y))) << y;
}

TEST_F(JpegWallpaperConversionTest, FilesThatCannotBeLoadedBeepShowTheirNameAndPauseHalfASecond) {
  KeepOldWallpaper("tempwp.bmp");
  const std::string vanished = pictures_.File("deleted.jpg");
  const std::string text = pictures_.Write("notes.jpeg", "not a picture");
  for (const std::string& source : {vanished, text, std::string()}) {
    context_.Events.clear();
    const TConversionOutcome outcome = ConvertJpegWallpaper(source, context_);
    EXPECT_FALSE(outcome.Apply);
    EXPECT_EQ(outcome.TemporaryPath, "");
    EXPECT_THAT(context_.Events,
                ElementsAre("beep", "message Error loading non-GIF resource (myjpeg):" + source, "pause 500"));
  }
  EXPECT_EQ(Contents("tempwp.bmp"), "the previous wallpaper");
}

TEST_F(JpegWallpaperConversionTest, PictureThatCannotBeDecodedLeavesTheOldWallpaperWhole) {
  KeepOldWallpaper("tempwp.bmp");
  const std::string empty = pictures_.Write("empty.jpg", "");
  const TConversionOutcome outcome = ConvertJpegWallpaper(empty, context_);
  EXPECT_FALSE(outcome.Apply);
  // Decoding fails before the temporary path is set.
  EXPECT_THAT(context_.Events, ElementsAre("message Error creating non-GIF resource (newbmp): ", "pause 1500"));
  EXPECT_EQ(Contents("tempwp.bmp"), "the previous wallpaper");
  EXPECT_EQ(FilesInProgramFolder(), 1u);
}

TEST_F(JpegWallpaperConversionTest, FailedSaveNamesTheTemporaryFile) {
  test::RecordingPreparationContext missingFolder(program_.File("gone") + "/");
  const TConversionOutcome outcome = ConvertJpegWallpaper(CopyPhoto("photo.jpg"), missingFolder);
  EXPECT_FALSE(outcome.Apply);
  EXPECT_THAT(missingFolder.Events,
              ElementsAre("message Error creating non-GIF resource (newbmp): " + program_.File("gone") + "/tempwp.bmp",
                          "pause 1500"));
}

// Black, red, green, blue.
const std::vector<TGIFColor> kColors = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

test::ImageOptions TwoBitCodes() {
  test::ImageOptions options;
  options.minimumCodeSize = 2;
  return options;
}

// A 2 x 2 image of the four colours, index 3 transparent.
test::GifBuilder& AddFirstImage(test::GifBuilder& gif) {
  return gif.GraphicControl(3, 10).Image(2, 2, Bytes{0, 1, 2, 3}, TwoBitCodes());
}

class GifWallpaperConversionTest : public WallpaperConversionTest {
 protected:
  // The preview loads by extension through the registry.
  void SetUp() override { RegisterGifFormat(); }
  void TearDown() override { UnregisterGifFormat(); }

  std::string Source(const std::string& name, const Bytes& bytes) {
    const std::string path = pictures_.File(name);
    test::WriteAll(path, bytes);
    return path;
  }
  std::string TempBmp() const { return program_.File("temp.bmp"); }
};

TEST_F(GifWallpaperConversionTest, FirstFrameBecomesTempBmpAtItsOwnSize) {
  test::GifBuilder gif;
  AddFirstImage(gif.Header(2, 2, kColors)).Image(1, 1, Bytes{1}, TwoBitCodes()).Trailer();
  const std::string source = Source("picture.gif", gif.Get());
  const TConversionOutcome outcome = TWallpaperConversions{}.Gif(source, context_);
  EXPECT_THAT(context_.Events,
              ElementsAre("message Processing GIF image 1...", "preview " + source, "message GIF Image 1 loaded..."));
  EXPECT_TRUE(outcome.Apply);
  EXPECT_EQ(outcome.TemporaryPath, TempBmp());
  EXPECT_NE(context_.Preview.Graphic(), nullptr);

  TBitmap written;
  written.LoadFromFile(TempBmp());
  EXPECT_EQ(written.Width(), 2);
  EXPECT_EQ(written.Height(), 2);
  EXPECT_EQ(written.PixelFormat(), TPixelFormat::pf8bit);
  // The transparent pixel keeps its own colour, blue.
  EXPECT_EQ(written.Pixels().Get(written.Pixels().Row(1), 1), RGBColor(0, 0, 255));
  EXPECT_EQ(written.Pixels().Get(written.Pixels().Row(0), 1), RGBColor(255, 0, 0));
  EXPECT_EQ(FilesInProgramFolder(), 1u);
}

TEST_F(GifWallpaperConversionTest, GifWithoutABitmapPausesAndGoesOnWithTheEarlierTempBmp) {
  test::GifBuilder noTables;
  AddFirstImage(noTables.Header(2, 2)).Trailer();
  const std::pair<const char*, Bytes> sources[] = {
      {"no frames", test::GifBuilder().Header(2, 2, kColors).Trailer().Get()},
      {"only a comment", test::GifBuilder().Header(2, 2, kColors).Comment("hi").Trailer().Get()},
      {"no colour table", noTables.Get()},
  };
  for (const auto& [what, bytes] : sources) {
    SCOPED_TRACE(what);
    KeepOldWallpaper("temp.bmp");
    test::RecordingPreparationContext context(ProgramFolder());
    const std::string source = Source("empty.gif", bytes);
    const TConversionOutcome outcome = ConvertGifWallpaper(source, context);
    EXPECT_THAT(context.Events,
                ElementsAre("message Processing GIF image 1...", "preview " + source, "message GIF Image 1 loaded...",
                            "message Error converting gif->bmp...", "pause 1500"));
    EXPECT_TRUE(outcome.Apply);
    EXPECT_EQ(outcome.TemporaryPath, TempBmp());
    EXPECT_EQ(Contents("temp.bmp"), "the previous wallpaper");
  }
}

TEST_F(GifWallpaperConversionTest, UnreadableOrMissingGifBeepsAndGoesOnWithoutATemporaryPath) {
  const std::string broken = Source("broken.gif", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'g', 'i', 'f'});
  for (const std::string& source : {broken, pictures_.File("gone.gif")}) {
    test::RecordingPreparationContext context(ProgramFolder());
    const TConversionOutcome outcome = ConvertGifWallpaper(source, context);
    EXPECT_THAT(context.Events,
                ElementsAre("message Processing GIF image 1...", "preview " + source, "beep",
                            "message Error loading GIF Image #efwp1...", "message GIF Image 1 loaded...",
                            "message Error converting gif->bmp...", "pause 1500"));
    EXPECT_TRUE(outcome.Apply);
    EXPECT_EQ(outcome.TemporaryPath, "");
  }
  EXPECT_FALSE(std::filesystem::exists(TempBmp()));
}

TEST_F(GifWallpaperConversionTest, PreviewFailureAloneStillConverts) {
  // The preview goes by the last extension; the conversion reads the file as a GIF.
  test::GifBuilder gif;
  AddFirstImage(gif.Header(2, 2, kColors)).Trailer();
  const std::string source = Source("holiday.gif.png", gif.Get());
  const TConversionOutcome outcome = ConvertGifWallpaper(source, context_);
  EXPECT_THAT(context_.Events,
              ElementsAre("message Processing GIF image 1...", "preview " + source, "beep",
                          "message Error loading GIF Image #efwp1...", "message GIF Image 1 loaded..."));
  EXPECT_EQ(outcome.TemporaryPath, TempBmp());
  TBitmap written;
  written.LoadFromFile(TempBmp());
  EXPECT_EQ(written.Width(), 2);
}

}  // namespace
}  // namespace tapestro
