// What a JPEG file may make us allocate or compute, and the errors past those limits.
#include <gtest/gtest.h>
#include <jerror.h>

#include "base/stream.h"
#include "imaging/jpeg/jpeg_errors.h"
#include "imaging/jpeg/jpeg_image.h"
#include "tests/imaging/jpeg_encoder.h"
#include "tests/imaging/jpeg_references.h"

namespace tapestro {
namespace {

std::string ErrorText(int code) { return "JPEG error #" + std::to_string(code); }

std::string FailureOf(const std::function<void()>& work) {
  try {
    work();
  } catch (const EJPEG& e) {
    return e.Message();
  }
  return "no error";
}

TEST(JpegLimitsTest, PicturesOverThePixelLimitFailAtLoad) {
  const std::vector<uint8_t> small = test::EncodeJpeg({});
  // 16385 x 16384 is one column past 2^28 pixels.
  EXPECT_EQ(FailureOf([&] { test::JpegOf(test::WithFrameSize(small, 16385, 16384)); }), ErrorText(41));
  EXPECT_EQ(ErrorText(41), ErrorText(JERR_IMAGE_TOO_BIG));
  // 65535 x 65535 would be 4 billion pixels.
  EXPECT_EQ(FailureOf([&] { test::JpegOf(test::WithFrameSize(small, 65535, 65535)); }), ErrorText(41));
}

TEST(JpegLimitsTest, LibraryMemoryIsBoundedForProgressiveFiles) {
  test::TJpegRecipe recipe;
  recipe.Progressive = true;
  recipe.Sampling = {{1, 1}, {1, 1}, {1, 1}};
  // At the pixel limit, with full colour resolution: 1.5 GiB of coefficients.
  auto jpeg = test::JpegOf(test::WithFrameSize(test::EncodeJpeg(recipe), 16384, 16384));
  EXPECT_EQ(jpeg->Width(), 16384);
  EXPECT_EQ(FailureOf([&] { jpeg->Bitmap(); }), "JPEG image needs too much memory to decode");
  EXPECT_EQ(jpeg->Bitmap().Width(), 0);  // failed before the bitmap took any memory
}

TEST(JpegLimitsTest, FilesOfTooManyScansFailWhileDecoding) {
  test::TJpegRecipe recipe;
  recipe.Kind = test::TJpegKind::Grey;
  recipe.Width = 8;
  recipe.Height = 8;
  recipe.ScanPerCoefficientBit = true;
  auto jpeg = test::JpegOf(test::EncodeJpeg(recipe));
  EXPECT_TRUE(jpeg->ProgressiveEncoding());
  const std::string tooMuchWork = "JPEG image has too many scans for its size to decode";
  EXPECT_EQ(FailureOf([&] { jpeg->Bitmap(); }), tooMuchWork);
  TJPEGOptions shown;
  shown.ProgressiveDisplay = true;
  jpeg->SetOptions(shown);
  EXPECT_EQ(FailureOf([&] { jpeg->Bitmap(); }), tooMuchWork);
  // 442 scans, fewer than the count limit, but over a picture large enough that they
  // pass the work limit (scans x pixels) at the 257th.
  recipe.RefinedBits = 6;
  recipe.Width = 2048;
  recipe.Height = 2048;
  auto large = test::JpegOf(test::EncodeJpeg(recipe));
  EXPECT_EQ(FailureOf([&] { large->Bitmap(); }), tooMuchWork);
}

// Claims more bytes than any JPEG file the program would hold; reading it would fail.
class THugeStream final : public TStream {
 public:
  size_t Read(void*, size_t) override { return 0; }
  size_t Write(const void*, size_t) override { return 0; }
  int64_t Seek(int64_t, SeekOrigin) override { return 0; }
  int64_t Size() override { return int64_t{3} << 30; }
};

TEST(JpegLimitsTest, HugeFilesAreRefusedBeforeTheyAreRead) {
  TJPEGImage jpeg;
  THugeStream huge;
  EXPECT_EQ(FailureOf([&] { jpeg.LoadFromStream(huge); }), ErrorText(41));
  EXPECT_TRUE(jpeg.Empty());
}

TEST(JpegLimitsTest, StreamShorterThanItsLengthIsAReadError) {
  class TShortStream final : public TStream {
   public:
    size_t Read(void*, size_t) override { return 0; }
    size_t Write(const void*, size_t) override { return 0; }
    int64_t Seek(int64_t, SeekOrigin) override { return 0; }
    int64_t Size() override { return 100; }
  } shortStream;
  TJPEGImage jpeg;
  EXPECT_THROW(jpeg.LoadFromStream(shortStream), EReadError);
}

}  // namespace
}  // namespace tapestro
