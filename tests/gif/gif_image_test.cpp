// TGIFImage as a whole: what a file can make the reader allocate, and the GIF format
// in the picture registry with the screen depth it fixes.
#include "gif/gif_image.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/stream.h"
#include "gif/dither.h"
#include "gif/errors.h"
#include "imaging/canvas.h"
#include "imaging/picture.h"
#include "tests/support/gif_bytes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

using test::Bytes;
using test::GifBuilder;

// Catches the limit error as its own class, so that a plain GIFException fails the test.
std::string LimitErrorOf(TGIFImage& image, const Bytes& bytes) {
  TMemoryStream stream(bytes);
  try {
    image.ReadFromStream(stream);
  } catch (const GIFLimitException& e) {
    return e.what();
  }
  return "";
}

TEST(GifLimitsTest, HugeScreenOrImageInATinyFileFailsBeforeAllocating) {
  TGIFImage image;
  // A 65535 x 65535 screen would need 4 GiB of indices.
  EXPECT_EQ(LimitErrorOf(image, GifBuilder().Header(65535, 65535).Trailer().Get()), "GIF image too large to decode");
  // So would an image of that size on a small screen, or a zero-width image on a
  // screen just over the limit (16385 x 16384).
  const Bytes pixel = {1};
  EXPECT_EQ(LimitErrorOf(image, GifBuilder().Header(1, 1).Image(65535, 65535, pixel).Get()),
            "GIF image too large to decode");
  EXPECT_EQ(LimitErrorOf(image, GifBuilder().Header(16385, 16384).Trailer().Get()), "GIF image too large to decode");
  // Long but thin images stay well inside.
  TMemoryStream wide(GifBuilder().Header(65535, 1).Image(65535, 1, pixel).Trailer().Get());
  image.ReadFromStream(wide);
  EXPECT_EQ(image.SubImage(0).Data().size(), 65535u);
}

TEST(GifLimitsTest, EachImageAndAllImagesTogetherAreBounded) {
  TGIFImage image;
  image.Limits = {100, 150};
  const Bytes pixels(100, 1);
  TMemoryStream fits(GifBuilder().Header(10, 10).Image(10, 10, pixels).Get());
  image.ReadFromStream(fits);
  EXPECT_EQ(image.SubImageCount(), 1);

  EXPECT_EQ(LimitErrorOf(image, GifBuilder().Header(10, 10).Image(11, 10, pixels).Get()),
            "GIF image too large to decode");
  // Two images of 100 pixels pass the total of 150; the image keeps what it had.
  EXPECT_EQ(LimitErrorOf(image, GifBuilder().Header(10, 10).Image(10, 10, pixels).Image(10, 10, pixels).Get()),
            "GIF image too large to decode");
  EXPECT_EQ(image.SubImageCount(), 1);
  // The budget starts over with every read.
  TMemoryStream again(GifBuilder().Header(10, 10).Image(10, 10, pixels).Get());
  image.ReadFromStream(again);
  TMemoryStream andAgain(GifBuilder().Header(10, 10).Image(10, 10, pixels).Get());
  image.ReadFromStream(andAgain);
  EXPECT_EQ(image.SubImageCount(), 1);
}

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
