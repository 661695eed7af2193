// The two wallpaper conversions through a recording context: their messages, beeps and
// pauses in order (recorded, not slept), the file each writes and the path it returns,
// and the old wallpaper file kept whole on failure.
#include "core/wallpaper_conversions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "gif/gif_registration.h"
#include "imaging/bitmap.h"
#include "imaging/jpeg_image.h"
#include "tests/core/recording_preparation_context.h"
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

// A 2 x 2 image of colours black, red, green, blue (index 3 transparent).
const Bytes kScreenAndImage = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x02, 0x00, 0x91, 0x00, 0x00,  // "GIF89a" 2 x 2, 4 global colours
    0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF,        // black, red, green, blue
    0x21, 0xF9, 0x04, 0x01, 0x0A, 0x00, 0x03, 0x00,                                // index 3 transparent
    0x2C, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x02, 0x00, 0x00,                    // image 2 x 2 at 0, 0
    0x02, 0x03, 0x44, 0x34, 0x05, 0x00,                                            // pixels 0 1 2 3
};
// A 1 x 1 image of colour 1.
const Bytes kSecondImage = {0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x4C, 0x01, 0x00};
const Bytes kTrailer = {0x3B};

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
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
  const std::string source = Source("picture.gif", Join({kScreenAndImage, kSecondImage, kTrailer}));
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
  const Bytes header(kScreenAndImage.begin(), kScreenAndImage.begin() + 25);
  const Bytes noTables = {'G', 'I', 'F', '8', '9', 'a', 0x02, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00};
  const Bytes comment = {0x21, 0xFE, 0x02, 'h', 'i', 0x00};
  const std::pair<const char*, Bytes> sources[] = {
      {"no frames", Join({header, kTrailer})},
      {"only a comment", Join({header, comment, kTrailer})},
      {"no colour table", Join({noTables, Bytes(kScreenAndImage.begin() + 25, kScreenAndImage.end()), kTrailer})},
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
  const std::string source = Source("holiday.gif.png", Join({kScreenAndImage, kTrailer}));
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
