// The GIF wallpaper conversion through a recording context: its messages in order, the
// beep and the pause (recorded, not slept), the file it writes and the path it returns.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "core/wallpaper_conversion.h"
#include "gif/gif_image.h"
#include "imaging/bitmap.h"
#include "imaging/picture.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

using Bytes = std::vector<unsigned char>;
using ::testing::ElementsAre;

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

class TRecordingContext final : public TConversionContext {
 public:
  explicit TRecordingContext(std::string folder) : folder_(std::move(folder)) {}

  void ShowMessage(const std::string& text) override { Events.push_back("message " + text); }
  void Beep() override { Events.push_back("beep"); }
  void Pause(int milliseconds) override { Events.push_back("pause " + std::to_string(milliseconds)); }
  std::string TemporaryFolder() const override { return folder_ + "/"; }
  // The window's preview: a picture loaded by extension.
  void LoadPreview(const std::string& path) override {
    Events.push_back("preview");
    Preview.LoadFromFile(path);
  }

  std::vector<std::string> Events;
  TPicture Preview;

 private:
  std::string folder_;
};

class GifWallpaperConversionTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterGifFormat(); }
  void TearDown() override { UnregisterGifFormat(); }

  std::string Source(const std::string& name, const Bytes& bytes) {
    const std::string path = pictures_.File(name);
    test::WriteAll(path, bytes);
    return path;
  }
  std::string TempBmp() const { return program_.File("temp.bmp"); }

  test::TempDir pictures_;
  test::TempDir program_;
  TRecordingContext context_{program_.Path()};
};

TEST_F(GifWallpaperConversionTest, FirstFrameBecomesTempBmpAtItsOwnSize) {
  const std::string source = Source("picture.gif", Join({kScreenAndImage, kSecondImage, kTrailer}));
  const TConversionOutcome outcome = ConvertGifWallpaper(source, context_);
  EXPECT_THAT(context_.Events,
              ElementsAre("message Processing GIF image 1...", "preview", "message GIF Image 1 loaded..."));
  EXPECT_TRUE(outcome.Apply);
  EXPECT_EQ(outcome.TemporaryPath, program_.Path() + "/temp.bmp");
  EXPECT_NE(context_.Preview.Graphic(), nullptr);

  TBitmap written;
  written.LoadFromFile(TempBmp());
  EXPECT_EQ(written.Width(), 2);
  EXPECT_EQ(written.Height(), 2);
  EXPECT_EQ(written.PixelFormat(), TPixelFormat::pf8bit);
  // The transparent pixel keeps its own colour, blue.
  EXPECT_EQ(written.Pixels().Get(written.Pixels().Row(1), 1), RGBColor(0, 0, 255));
  EXPECT_EQ(written.Pixels().Get(written.Pixels().Row(0), 1), RGBColor(255, 0, 0));
  // Nothing else was left in the program's folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(program_.Path()), {}), 1);
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
    test::WriteAll(TempBmp(), Bytes{'o', 'l', 'd'});
    TRecordingContext context(program_.Path());
    const TConversionOutcome outcome = ConvertGifWallpaper(Source("empty.gif", bytes), context);
    EXPECT_THAT(context.Events,
                ElementsAre("message Processing GIF image 1...", "preview", "message GIF Image 1 loaded...",
                            "message Error converting gif->bmp...", "pause 1500"));
    EXPECT_TRUE(outcome.Apply);
    EXPECT_EQ(outcome.TemporaryPath, TempBmp());
    EXPECT_EQ(test::ReadAll(TempBmp()), (Bytes{'o', 'l', 'd'}));
  }
}

TEST_F(GifWallpaperConversionTest, UnreadableGifBeepsAndGoesOnWithoutATemporaryPath) {
  const std::string source = Source("broken.gif", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'g', 'i', 'f'});
  const TConversionOutcome outcome = ConvertGifWallpaper(source, context_);
  EXPECT_THAT(context_.Events, ElementsAre("message Processing GIF image 1...", "preview", "beep",
                                           "message Error loading GIF Image #efwp1...", "message GIF Image 1 loaded...",
                                           "message Error converting gif->bmp...", "pause 1500"));
  EXPECT_TRUE(outcome.Apply);
  EXPECT_EQ(outcome.TemporaryPath, "");
  EXPECT_FALSE(std::filesystem::exists(TempBmp()));
}

TEST_F(GifWallpaperConversionTest, PreviewFailureAloneStillConverts) {
  // The preview goes by the last extension; the conversion reads the file as a GIF.
  const std::string source = Source("holiday.gif.png", Join({kScreenAndImage, kTrailer}));
  const TConversionOutcome outcome = ConvertGifWallpaper(source, context_);
  EXPECT_THAT(context_.Events,
              ElementsAre("message Processing GIF image 1...", "preview", "beep",
                          "message Error loading GIF Image #efwp1...", "message GIF Image 1 loaded..."));
  EXPECT_EQ(outcome.TemporaryPath, TempBmp());
  TBitmap written;
  written.LoadFromFile(TempBmp());
  EXPECT_EQ(written.Width(), 2);
}

}  // namespace
}  // namespace tapestro
