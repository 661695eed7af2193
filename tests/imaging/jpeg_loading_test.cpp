// Loading JPEG files: header only, the errors of bad files, the lazy single decode,
// saving, the persisted form, assignment and registration.
#include <gtest/gtest.h>

#include <cstring>

#include "base/errors.h"
#include "base/stream.h"
#include "imaging/bitmap.h"
#include "imaging/canvas.h"
#include "imaging/jpeg/jpeg_errors.h"
#include "imaging/jpeg/jpeg_image.h"
#include "imaging/picture.h"
#include "tests/imaging/jpeg_encoder.h"
#include "tests/imaging/jpeg_references.h"
#include "tests/support/temp_dir.h"

namespace tapestro {
namespace {

using test::EncodeJpeg;
using test::JpegOf;
using test::TJpegRecipe;

std::vector<uint8_t> Photo(int width = 64, int height = 48) {
  TJpegRecipe recipe;
  recipe.Width = width;
  recipe.Height = height;
  return EncodeJpeg(recipe);
}

// The error's code, and the library's own words when libraryText is given.
void ExpectJpegError(const std::function<void()>& work, int code, const char* libraryText = nullptr) {
  try {
    work();
    ADD_FAILURE() << "no error, expected #" << code;
  } catch (const EJPEG& e) {
    EXPECT_EQ(e.Message(), "JPEG error #" + std::to_string(code));
    if (libraryText != nullptr) {
      EXPECT_EQ(e.LibraryText(), libraryText);
    }
  }
}

// Counts the decodes of an image by their starting notifications.
struct TProgressLog {
  explicit TProgressLog(TGraphic& graphic) {
    graphic.OnProgress = [this](TGraphic&, TProgressStage stage, uint8_t percent, bool, const TRect&,
                                const std::string&) {
      if (stage == TProgressStage::psStarting) ++Starts;
      if (stage == TProgressStage::psEnding) EndPercents.push_back(percent);
    };
  }
  int Starts = 0;
  std::vector<int> EndPercents;
};

TEST(JpegLoadingTest, LoadingReadsTheHeaderAndDecodesOnceAtTheFirstDraw) {
  auto jpeg = JpegOf(Photo(640, 480));
  TProgressLog log(*jpeg);
  EXPECT_EQ(jpeg->Width(), 640);
  EXPECT_EQ(jpeg->Height(), 480);
  EXPECT_EQ(jpeg->PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_FALSE(jpeg->Grayscale());
  EXPECT_FALSE(jpeg->ProgressiveEncoding());
  EXPECT_FALSE(jpeg->Empty());
  EXPECT_EQ(log.Starts, 0);

  TSurfaceCanvas canvas(16, 16, 32);
  jpeg->Draw(canvas, Rect(0, 0, 16, 16));
  jpeg->Draw(canvas, Rect(0, 0, 8, 8));
  EXPECT_EQ(log.Starts, 1);
  EXPECT_EQ(log.EndPercents, std::vector<int>{100});
  EXPECT_EQ(jpeg->Bitmap().Width(), 640);
  EXPECT_EQ(jpeg->Bitmap().PixelFormat(), TPixelFormat::pf24bit);
}

TEST(JpegLoadingTest, HeaderFactsOfGreyscaleAndProgressiveFiles) {
  TJpegRecipe grey;
  grey.Kind = test::TJpegKind::Grey;
  auto greyJpeg = JpegOf(EncodeJpeg(grey));
  EXPECT_TRUE(greyJpeg->Grayscale());
  EXPECT_EQ(greyJpeg->PixelFormat(), TPixelFormat::pf8bit);

  TJpegRecipe progressive;
  progressive.Progressive = true;
  EXPECT_TRUE(JpegOf(EncodeJpeg(progressive))->ProgressiveEncoding());
}

TEST(JpegLoadingTest, FilesThatAreNoJpegFailAtLoadAndLeaveTheImageAsItWas) {
  auto jpeg = JpegOf(Photo(40, 30));
  const std::string text = "This is a text file, named .jpg by mistake.\n";
  TSpanStream stream(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  ExpectJpegError([&] { jpeg->LoadFromStream(stream); }, 53, "Not a JPEG file: starts with 0x54 0x68");
  EXPECT_EQ(jpeg->Width(), 40);
  EXPECT_EQ(jpeg->Bitmap().Height(), 30);

  // Cut before the frame header: no image at all (JERR_NO_IMAGE). Cut between the frame
  // header and the first scan, the library finds the scan missing (JERR_SOF_NO_SOS).
  ExpectJpegError([&] { JpegOf(test::CutBeforeMarker(Photo(), 0xC0)); }, 51);
  ExpectJpegError([&] { JpegOf(test::CutBeforeMarker(Photo(), 0xDA)); }, 59);
  // Errors of this class are invalid pictures to whoever catches those.
  EXPECT_THROW(JpegOf({0xFF, 0xD8, 0xFF}), EInvalidGraphic);
}

TEST(JpegLoadingTest, EmptyFileLoadsAndFailsOnlyAtItsFirstDecode) {
  auto jpeg = JpegOf({});
  TProgressLog log(*jpeg);
  EXPECT_FALSE(jpeg->Empty());
  EXPECT_EQ(jpeg->Width(), 0);
  EXPECT_EQ(jpeg->Height(), 0);
  TBitmap target;
  ExpectJpegError([&] { target.Assign(jpeg.get()); }, 42);
  EXPECT_EQ(log.EndPercents, std::vector<int>{0});
  // The failed decode is what the image shows from now on, without a new error.
  TSurfaceCanvas canvas(4, 4, 32);
  jpeg->Draw(canvas, Rect(0, 0, 4, 4));
  EXPECT_EQ(log.EndPercents.size(), 1u);
  EXPECT_EQ(log.Starts, 0);  // the header failed before decoding started
}

TEST(JpegLoadingTest, FileCutInsideItsScanDecodesToFullSize) {
  const std::vector<uint8_t> whole = Photo(64, 48);
  auto complete = JpegOf(whole);
  const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(whole.size() * 3 / 4));
  auto partial = JpegOf(cut);
  const TBitmap& decoded = partial->Bitmap();
  ASSERT_EQ(decoded.Width(), 64);
  ASSERT_EQ(decoded.Height(), 48);
  // The first rows are there, exactly as in the whole file.
  const TPixelView a = decoded.Pixels();
  const TPixelView b = complete->Bitmap().Pixels();
  EXPECT_TRUE(std::equal(a.Row(0), a.Row(0) + 64 * 3, b.Row(0)));
}

TEST(JpegLoadingTest, SizeCannotBeChanged) {
  auto jpeg = JpegOf(Photo());
  for (auto set : {&TJPEGImage::SetWidth, &TJPEGImage::SetHeight}) {
    try {
      (jpeg.get()->*set)(10);
      ADD_FAILURE();
    } catch (const EInvalidGraphicOperation& e) {
      EXPECT_STREQ(e.what(), "Cannot change the size of a JPEG image");
    }
  }
}

TEST(JpegLoadingTest, SavingWritesTheFileAsItWasAndThePersistedFormCountsIt) {
  const std::vector<uint8_t> file = Photo();
  auto jpeg = JpegOf(file);
  TMemoryStream saved;
  jpeg->SaveToStream(saved);
  EXPECT_EQ(saved.Bytes(), file);

  TMemoryStream persisted;
  jpeg->WriteData(persisted);
  ASSERT_EQ(persisted.Size(), static_cast<int64_t>(file.size() + 4));
  uint32_t count = 0;
  std::memcpy(&count, persisted.Memory(), 4);
  EXPECT_EQ(count, file.size());

  persisted.SetPosition(0);
  TJPEGImage reread;
  reread.ReadData(persisted);
  EXPECT_EQ(reread.Width(), jpeg->Width());
  EXPECT_TRUE(reread.Equals(*jpeg));

  TJPEGImage fresh;
  EXPECT_TRUE(fresh.Empty());
  EXPECT_EQ(fresh.Bitmap().Width(), 0);
  TMemoryStream nothing;
  fresh.WriteData(nothing);
  EXPECT_EQ(nothing.Bytes(), std::vector<uint8_t>(4, 0));
}

TEST(JpegLoadingTest, AssigningToABitmapSharesTheDecodedPixels) {
  TBitmap target;
  const uint8_t* pixels = nullptr;
  {
    auto jpeg = JpegOf(Photo());
    target.Assign(jpeg.get());
    pixels = jpeg->Bitmap().Pixels().Begin();
    EXPECT_EQ(target.Pixels().Begin(), pixels);
  }
  // The pixels outlive the JPEG image.
  EXPECT_EQ(target.Pixels().Begin(), pixels);
  EXPECT_EQ(target.Width(), 64);
}

TEST(JpegLoadingTest, AssigningBetweenJpegImagesSharesTheFile) {
  auto source = JpegOf(Photo(30, 20));
  TJPEGImage copy;
  copy.Assign(source.get());
  EXPECT_EQ(copy.Width(), 30);
  EXPECT_TRUE(copy.Equals(*source));
  // A decoded bitmap comes along, sharing its pixels.
  source->Bitmap();
  TJPEGImage second;
  TProgressLog log(second);
  second.Assign(source.get());
  EXPECT_EQ(second.Bitmap().Pixels().Begin(), source->Bitmap().Pixels().Begin());
  EXPECT_EQ(log.Starts, 0);
}

TEST(JpegLoadingTest, OnlyBitmapsAndJpegImagesTakePartInAssignment) {
  auto jpeg = JpegOf(Photo());
  TIcon icon;
  try {
    icon.Assign(jpeg.get());
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TJPEGImage to a TIcon");
  }
  // No encoder: a bitmap cannot become a JPEG image.
  TBitmap bitmap;
  try {
    jpeg->Assign(&bitmap);
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TBitmap to a TJPEGImage");
  }
  EXPECT_EQ(jpeg->Width(), 64);
}

TEST(JpegLoadingTest, RegistrationAddsBothExtensionsAndFollowsTheDisplayDepth) {
  const TJPEGOptions saved = JPEGDefaults();
  SetDisplayBitsPerPixel(8);
  RegisterJpegFormat();
  SetDisplayBitsPerPixel(kDefaultDisplayBitsPerPixel);
  EXPECT_EQ(JPEGDefaults().PixelFormat, TJPEGPixelFormat::jf8Bit);
  EXPECT_EQ(TJPEGImage().Options().PixelFormat, TJPEGPixelFormat::jf8Bit);

  const std::vector<TFileFormat> entries = FileFormats().Entries();
  ASSERT_EQ(entries.size(), 6u);
  EXPECT_EQ(entries[4].Extension, "jpeg");
  EXPECT_EQ(entries[5].Extension, "jpg");
  EXPECT_EQ(entries[5].Description, "JPEG Image File");
  EXPECT_EQ(entries[5].GraphicClass, &TJPEGImage::Class);

  test::TempDir dir;
  const std::vector<uint8_t> file = Photo(33, 22);
  TPicture picture;
  picture.LoadFromFile(dir.Write("photo.JPG", std::string(file.begin(), file.end())));
  EXPECT_EQ(picture.Graphic()->ClassName(), "TJPEGImage");
  EXPECT_EQ(picture.Width(), 33);

  UnregisterJpegFormat();
  JPEGDefaults() = saved;
  EXPECT_EQ(FileFormats().Entries().size(), 4u);
}

}  // namespace
}  // namespace tapestro
