// The GIF format in the picture registry, and the screen depth it fixes.
#include <gtest/gtest.h>

#include "gif/gif_image.h"
#include "gif/gif_registration.h"
#include "gif/low_color_display.h"
#include "imaging/canvas.h"
#include "imaging/picture.h"
#include "tests/gif/gif_bytes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

class GifRegistrationTest : public ::testing::Test {
 protected:
  void TearDown() override {
    UnregisterGifFormat();
    SetDisplayBitsPerPixel(kDefaultDisplayBitsPerPixel);
    FixLowColorDisplay();
  }
};

TEST_F(GifRegistrationTest, GifFilesLoadAsGifImagesAfterRegistration) {
  RegisterGifFormat();
  const TFileFormat last = FileFormats().Entries().back();
  EXPECT_EQ(last.Extension, "gif");
  EXPECT_EQ(last.Description, "GIF Image");
  EXPECT_EQ(last.GraphicClass, &TGIFImage::Class);

  test::TempDir dir;
  const test::Bytes bytes = test::GifBuilder().Header(5, 4, 2).Image(1, 1, test::Bytes{1}).Trailer().Get();
  const std::string path = dir.File("a.b.GIF");
  test::WriteAll(path, bytes);
  TPicture picture;
  picture.LoadFromFile(path);
  ASSERT_NE(dynamic_cast<TGIFImage*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 5);
  EXPECT_EQ(picture.Height(), 4);

  UnregisterGifFormat();
  EXPECT_EQ(FileFormats().FindExt("gif"), nullptr);
}

TEST_F(GifRegistrationTest, RegistrationFixesWhetherTheScreenHasFewColours) {
  SetDisplayBitsPerPixel(8);
  RegisterGifFormat();
  EXPECT_TRUE(LowColorDisplay());
  // Fixed for the run: a later change of depth is not seen until the next registration.
  SetDisplayBitsPerPixel(16);
  EXPECT_TRUE(LowColorDisplay());
  UnregisterGifFormat();
  RegisterGifFormat();
  EXPECT_FALSE(LowColorDisplay());
}

}  // namespace
}  // namespace tapestro
