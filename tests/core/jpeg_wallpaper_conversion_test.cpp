// The JPEG branch of wallpaper preparation: "tempwp.bmp" from a JPEG file, the texts,
// beep and pauses of each failure, and the old wallpaper file kept whole on failure.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/stream.h"
#include "core/wallpaper_conversion.h"
#include "imaging/bitmap.h"
#include "imaging/jpeg/jpeg_image.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

// Writes down what the conversion asks of the window, in order; pauses take no time.
class TRecordingContext final : public TConversionContext {
 public:
  explicit TRecordingContext(std::string folder) : folder_(std::move(folder)) {}
  void ShowMessage(const std::string& text) override { Events.push_back("message " + text); }
  void Beep() override { Events.push_back("beep"); }
  void Pause(int milliseconds) override { Events.push_back("pause " + std::to_string(milliseconds)); }
  std::string TemporaryFolder() const override { return folder_; }
  void LoadPreview(const std::string& path) override { Events.push_back("preview " + path); }

  std::vector<std::string> Events;

 private:
  std::string folder_;
};

class JpegWallpaperConversionTest : public ::testing::Test {
 protected:
  std::string ProgramFolder() const { return program_.Path() + "/"; }
  std::string Wallpaper() const { return ProgramFolder() + "tempwp.bmp"; }
  std::string CopyPhoto(const std::string& name) {
    const std::vector<unsigned char> bytes = test::ReadAll(test::ProjectDataDir() + "/jpeg/photo-64x48.jpg");
    return pictures_.Write(name, std::string(bytes.begin(), bytes.end()));
  }
  void KeepOldWallpaper() { program_.Write("tempwp.bmp", "the previous wallpaper"); }
  std::string OldWallpaperContents() const {
    const std::vector<unsigned char> bytes = test::ReadAll(Wallpaper());
    return {bytes.begin(), bytes.end()};
  }
  // Only the wallpaper itself: no half-written sibling stays behind.
  size_t FilesInProgramFolder() const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(program_.Path()),
                                             std::filesystem::directory_iterator()));
  }

  test::TempDir program_;
  test::TempDir pictures_;
  TRecordingContext context_{ProgramFolder()};
};

TEST_F(JpegWallpaperConversionTest, PhotoBecomesTempwpBmpInTheProgramFolder) {
  KeepOldWallpaper();
  const std::string photo = CopyPhoto("photo.jpg");
  const TConversionOutcome outcome = ConvertJpegWallpaper(photo, context_);
  EXPECT_TRUE(outcome.Apply);
  EXPECT_EQ(outcome.TemporaryPath, Wallpaper());
  EXPECT_EQ(context_.Events, (std::vector<std::string>{"message Freeing resources...", "message Resources freed..."}));
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
  KeepOldWallpaper();
  const std::string vanished = pictures_.File("deleted.jpg");
  const std::string text = pictures_.Write("notes.jpeg", "not a picture");
  for (const std::string& source : {vanished, text, std::string()}) {
    context_.Events.clear();
    const TConversionOutcome outcome = ConvertJpegWallpaper(source, context_);
    EXPECT_FALSE(outcome.Apply);
    EXPECT_EQ(outcome.TemporaryPath, "");
    EXPECT_EQ(context_.Events, (std::vector<std::string>{
                                   "beep", "message Error loading non-GIF resource (myjpeg):" + source, "pause 500"}));
  }
  EXPECT_EQ(OldWallpaperContents(), "the previous wallpaper");
}

TEST_F(JpegWallpaperConversionTest, PictureThatCannotBeDecodedLeavesTheOldWallpaperWhole) {
  KeepOldWallpaper();
  const std::string empty = pictures_.Write("empty.jpg", "");
  const TConversionOutcome outcome = ConvertJpegWallpaper(empty, context_);
  EXPECT_FALSE(outcome.Apply);
  // Decoding fails before the temporary path is set.
  EXPECT_EQ(context_.Events,
            (std::vector<std::string>{"message Error creating non-GIF resource (newbmp): ", "pause 1500"}));
  EXPECT_EQ(OldWallpaperContents(), "the previous wallpaper");
  EXPECT_EQ(FilesInProgramFolder(), 1u);
}

TEST_F(JpegWallpaperConversionTest, FailedSaveNamesTheTemporaryFile) {
  TRecordingContext missingFolder(program_.File("gone") + "/");
  const TConversionOutcome outcome = ConvertJpegWallpaper(CopyPhoto("photo.jpg"), missingFolder);
  EXPECT_FALSE(outcome.Apply);
  EXPECT_EQ(missingFolder.Events,
            (std::vector<std::string>{"message Error creating non-GIF resource (newbmp): " + program_.File("gone") +
                                          "/tempwp.bmp",
                                      "pause 1500"}));
}

}  // namespace
}  // namespace tapestro
