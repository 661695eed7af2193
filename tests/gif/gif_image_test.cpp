// TGIFImage as a whole: what a file can make the reader allocate, and the GIF format
// in the picture registry with the screen depth it fixes.
#include "gif/gif_image.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/stream.h"
#include "gif/dither.h"
#include "gif/errors.h"
#include "gif/extensions.h"
#include "imaging/canvas.h"
#include "imaging/picture.h"
#include "tests/support/gif_bytes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

using test::Bytes;
using test::GifBuilder;
using test::IndicesOf;

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

TEST(GifLimitsTest, HugeImageInATinyFileFailsBeforeAllocatingAndAHugeScreenReads) {
  TGIFImage image;
  // A 65535 x 65535 image would need 4 GiB of indices.
  const Bytes pixel = {1};
  EXPECT_EQ(LimitErrorOf(image, GifBuilder().Header(1, 1).Image(65535, 65535, pixel).Get()),
            "GIF image too large to decode");
  // A screen of that size allocates nothing by itself: the file reads, its size is the screen's.
  TMemoryStream screen(GifBuilder().Header(65535, 65535).Image(2, 1, Bytes{1, 0}).Trailer().Get());
  image.ReadFromStream(screen);
  EXPECT_EQ(image.Width(), 65535);
  EXPECT_EQ(IndicesOf(image.SubImage(0)), Bytes({1, 0}));
  // Long but thin images stay well inside.
  TMemoryStream wide(GifBuilder().Header(65535, 1).Image(65535, 1, pixel).Trailer().Get());
  image.ReadFromStream(wide);
  EXPECT_EQ(IndicesOf(image.SubImage(0)).size(), 65535u);
}

TEST(GifLimitsTest, FilesOfTheBadFolderEndAsRecorded) {
  TGIFImage image;
  EXPECT_EQ(LimitErrorOf(image, test::ReadAll(test::ProjectDataDir() + "/bad/gif-image-of-no-height-with-data.gif")),
            "");
  // An image 0 rows high, with LZW data: its data is passed over, no row is written.
  ASSERT_GT(image.SubImageCount(), 0);
  for (int i = 0; i < image.SubImageCount(); ++i) EXPECT_TRUE(image.SubImage(i).Empty());
  EXPECT_EQ(LimitErrorOf(image, test::ReadAll(test::ProjectDataDir() + "/bad/gif-image-of-4-gib-in-35-bytes.gif")),
            "GIF image too large to decode");
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

TEST(GifLimitsTest, BlockDataKeptByOneReadIsBounded) {
  // Comments of one-byte sub-blocks: each costs two bytes of the budget (size and byte).
  const auto withComment = [](size_t blocks) {
    GifBuilder gif;
    gif.Header(1, 1).Raw({0x21, 0xFE});
    for (size_t i = 0; i < blocks; ++i) gif.Raw({1, 'x'});
    return gif.Raw({0}).Image(1, 1, Bytes{0}).Trailer().Get();
  };
  TGIFImage image;
  // Room for the sub-image, the comment and 100 sub-blocks, not one more.
  image.Limits.MaxKeptBytes = 2 * kKeptItemBytes + 200;
  TMemoryStream fits(withComment(100));
  image.ReadFromStream(fits);
  const auto& comment = dynamic_cast<const TGIFCommentExtension&>(image.SubImage(0).Extensions()[0]);
  EXPECT_EQ(comment.Text().Count(), 100u);
  EXPECT_EQ(LimitErrorOf(image, withComment(101)), "GIF image has too much block data to read");
  // Application data sub-blocks count the same way.
  GifBuilder app;
  app.Header(1, 1).Application("XMP DataXMP", std::vector<Bytes>(101, Bytes{7}));
  EXPECT_EQ(LimitErrorOf(image, app.Image(1, 1, Bytes{0}).Trailer().Get()),
            "GIF image has too much block data to read");
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
