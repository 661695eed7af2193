// The GIF wallpaper conversion through a recording context: its messages in order, the
// beep and the pause (recorded, not slept), the file it writes and the path it returns.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "core/wallpaper_conversion.h"
#include "gif/gif_image.h"
#include "imaging/bitmap.h"
#include "imaging/picture.h"
#include "tests/support/gif_bytes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

using test::Bytes;
using test::GifBuilder;
using ::testing::ElementsAre;

// Black, red, green, blue.
const std::vector<TGIFColor> kColors = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

test::ImageOptions TwoBitCodes() {
  test::ImageOptions options;
  options.minimumCodeSize = 2;
  return options;
}

// A 2 x 2 image of the four colours, index 3 transparent.
GifBuilder& AddFirstImage(GifBuilder& gif) {
  return gif.GraphicControl(3, 10).Image(2, 2, Bytes{0, 1, 2, 3}, TwoBitCodes());
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
  GifBuilder gif;
  AddFirstImage(gif.Header(2, 2, kColors)).Image(1, 1, Bytes{1}, TwoBitCodes()).Trailer();
  const std::string source = Source("picture.gif", gif.Get());
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
  GifBuilder noTables;
  AddFirstImage(noTables.Header(2, 2)).Trailer();
  const std::pair<const char*, Bytes> sources[] = {
      {"no frames", GifBuilder().Header(2, 2, kColors).Trailer().Get()},
      {"only a comment", GifBuilder().Header(2, 2, kColors).Comment("hi").Trailer().Get()},
      {"no colour table", noTables.Get()},
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
  GifBuilder gif;
  AddFirstImage(gif.Header(2, 2, kColors)).Trailer();
  const std::string source = Source("holiday.gif.png", gif.Get());
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
