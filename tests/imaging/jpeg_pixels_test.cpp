// Decoded pixels against djpeg, the library's own decoder, run on the same files with
// the settings our options stand for: with the same library both must agree exactly.
#include <gtest/gtest.h>

#include <cstring>

#include "base/stream.h"
#include "imaging/bitmap.h"
#include "imaging/jpeg/jpeg_image.h"
#include "tests/imaging/jpeg_encoder.h"
#include "tests/imaging/jpeg_references.h"

namespace tapestro {
namespace {

using test::EncodeJpeg;
using test::JpegOf;
using test::TJpegKind;
using test::TJpegRecipe;

#define REQUIRE_DJPEG() \
  if (!test::HaveDjpeg()) GTEST_SKIP() << "djpeg (libjpeg-turbo-progs) is not installed"

std::unique_ptr<TJPEGImage> JpegWith(const std::vector<uint8_t>& file, const TJPEGOptions& options) {
  auto jpeg = JpegOf(file);
  jpeg->SetOptions(options);
  return jpeg;
}

TJPEGOptions Options(const std::function<void(TJPEGOptions&)>& change) {
  TJPEGOptions options;
  change(options);
  return options;
}

void ExpectSameAsDjpeg(const std::vector<uint8_t>& file, const TJPEGOptions& options, const std::string& djpeg) {
  auto jpeg = JpegWith(file, options);
  const std::vector<uint8_t> reference = test::DjpegBmp(file, djpeg);
  ASSERT_FALSE(reference.empty()) << djpeg;
  EXPECT_EQ(test::MaxChannelDifference(jpeg->Bitmap(), *test::BitmapOfBmp(reference)), 0) << djpeg;
}

TEST(JpegPixelsTest, ColourPhotoSavesAsTheBmpDjpegWrites) {
  REQUIRE_DJPEG();
  TJpegRecipe recipe;
  recipe.Width = 640;
  recipe.Height = 480;
  const std::vector<uint8_t> file = EncodeJpeg(recipe);
  auto jpeg = JpegOf(file);
  TBitmap bitmap;
  bitmap.Assign(jpeg.get());
  TMemoryStream saved;
  bitmap.SaveToStream(saved);
  ASSERT_EQ(saved.Size(), 921654);  // 54 + 1920 x 480
  const std::vector<uint8_t> reference = test::DjpegBmp(file, "-dct float");
  ASSERT_EQ(reference.size(), 921654u);
  // Header fields djpeg fills differently (resolution) aside, the pixels are the same
  // bytes: rows bottom-up, blue, green, red.
  EXPECT_TRUE(std::equal(saved.Bytes().begin() + 54, saved.Bytes().end(), reference.begin() + 54));
  EXPECT_EQ(saved.Bytes()[28], 24);  // biBitCount
  EXPECT_EQ(saved.Bytes()[10], 54);  // bfOffBits
}

TEST(JpegPixelsTest, CodingVariantsDecodeAsTheLibraryDecodesThem) {
  REQUIRE_DJPEG();
  std::vector<std::pair<std::string, TJpegRecipe>> variants(6);
  variants[0].first = "baseline 4:2:0";
  variants[1].first = "4:4:4";
  variants[1].second.Sampling = {{1, 1}, {1, 1}, {1, 1}};
  variants[2].first = "4:2:2";
  variants[2].second.Sampling = {{2, 1}, {1, 1}, {1, 1}};
  variants[3].first = "progressive";
  variants[3].second.Progressive = true;
  variants[4].first = "restart markers";
  variants[4].second.RestartRows = 1;
  variants[5].first = "arithmetic";
  variants[5].second.Arithmetic = true;
  for (auto& [name, recipe] : variants) {
    SCOPED_TRACE(name);
    recipe.Width = 77;  // not a multiple of any block size
    recipe.Height = 45;
    const std::vector<uint8_t> file = EncodeJpeg(recipe);
    EXPECT_EQ(JpegOf(file)->Bitmap().Width(), 77);
    ExpectSameAsDjpeg(file, {}, "-dct float");
  }
}

TEST(JpegPixelsTest, ImagesOneRowHighOrOneColumnWideDecode) {
  REQUIRE_DJPEG();
  for (const auto& [width, height] : {std::pair{7, 1}, std::pair{1, 9}, std::pair{1, 1}}) {
    TJpegRecipe recipe;
    recipe.Width = width;
    recipe.Height = height;
    const std::vector<uint8_t> file = EncodeJpeg(recipe);
    ExpectSameAsDjpeg(file, {}, "-dct float");
    TJPEGOptions palette;
    palette.PixelFormat = TJPEGPixelFormat::jf8Bit;
    EXPECT_EQ(JpegWith(file, palette)->Bitmap().Height(), height);
  }
}

TEST(JpegPixelsTest, ScaleSpeedAndSmoothingOptionsBecomeTheLibrarysSettings) {
  REQUIRE_DJPEG();
  TJpegRecipe recipe;
  recipe.Width = 101;
  recipe.Height = 67;
  const std::vector<uint8_t> file = EncodeJpeg(recipe);
  const std::vector<std::pair<TJPEGScale, std::string>> scales = {
      {TJPEGScale::jsHalf, "1/2"}, {TJPEGScale::jsQuarter, "1/4"}, {TJPEGScale::jsEighth, "1/8"}};
  for (const auto& [scale, fraction] : scales) {
    TJPEGOptions options;
    options.Scale = scale;
    auto jpeg = JpegWith(file, options);
    // The scaled size is known before decoding and is the size decoded.
    const int32_t width = jpeg->Width();
    EXPECT_EQ(width, jpeg->Bitmap().Width());
    ExpectSameAsDjpeg(file, options, "-dct float -scale " + fraction);
  }
  EXPECT_EQ(JpegWith(file, Options([](TJPEGOptions& o) { o.Scale = TJPEGScale::jsHalf; }))->Width(), 51);
  ExpectSameAsDjpeg(file, Options([](TJPEGOptions& o) { o.Performance = TJPEGPerformance::jpBestSpeed; }),
                    "-dct fast");

  // Block smoothing (djpeg has no switch for it) only shows where coefficients are
  // missing: in a progressive file cut short.
  const TJPEGOptions rough = Options([](TJPEGOptions& o) { o.Smoothing = false; });
  recipe.Progressive = true;
  const std::vector<uint8_t> progressive = EncodeJpeg(recipe);
  EXPECT_EQ(test::MaxChannelDifference(JpegWith(progressive, rough)->Bitmap(), JpegOf(progressive)->Bitmap()), 0);
  const std::vector<uint8_t> cut(progressive.begin(), progressive.begin() + static_cast<ptrdiff_t>(progressive.size() / 2));
  ExpectSameAsDjpeg(cut, {}, "-dct float");
  EXPECT_GT(test::MaxChannelDifference(JpegWith(cut, rough)->Bitmap(), JpegOf(cut)->Bitmap()), 0);
}

void ExpectSameAsDjpeg8(const std::vector<uint8_t>& file, const TJPEGOptions& options, const std::string& djpeg) {
  auto jpeg = JpegWith(file, options);
  const TBitmap& ours = jpeg->Bitmap();
  ASSERT_EQ(ours.PixelFormat(), TPixelFormat::pf8bit);
  const std::vector<uint8_t> reference = test::DjpegBmp(file, djpeg);
  ASSERT_FALSE(reference.empty()) << djpeg;
  EXPECT_TRUE(test::SameIndexedColors(ours, *test::BitmapOfBmp(reference))) << djpeg;
}

TEST(JpegPixelsTest, GreyscaleFilesBecomeBitmapsOf236GreysWithADiskTableOf256) {
  REQUIRE_DJPEG();
  TJpegRecipe recipe;
  recipe.Kind = TJpegKind::Grey;
  recipe.Width = 90;
  recipe.Height = 70;
  const std::vector<uint8_t> file = EncodeJpeg(recipe);
  auto jpeg = JpegOf(file);
  TBitmap& bitmap = jpeg->Bitmap();
  ASSERT_EQ(bitmap.PixelFormat(), TPixelFormat::pf8bit);
  const HPALETTE palette = bitmap.Palette();
  ASSERT_EQ(palette->Entries.size(), 236u);
  for (size_t i = 0; i < 236; ++i) {
    const TPaletteEntry& entry = palette->Entries[i];
    EXPECT_EQ(entry.Red, entry.Green);
    EXPECT_EQ(entry.Red, entry.Blue);
    if (i > 0) {
      EXPECT_GT(entry.Red, palette->Entries[i - 1].Red);
    }
  }
  EXPECT_EQ(palette->Entries.front().Red, 0);
  EXPECT_EQ(palette->Entries.back().Red, 255);

  TMemoryStream saved;
  bitmap.SaveToStream(saved);
  uint32_t offBits = 0, colorsUsed = 0;
  std::memcpy(&offBits, saved.Memory() + 10, 4);
  std::memcpy(&colorsUsed, saved.Memory() + 46, 4);
  EXPECT_EQ(offBits, 1078u);
  EXPECT_EQ(colorsUsed, 256u);
  // Floyd-Steinberg dithering between the levels, as the library does it.
  ExpectSameAsDjpeg8(file, {}, "-dct float -colors 236");
}

TEST(JpegPixelsTest, PaletteOptionsQuantiseColourFilesTo236Colours) {
  REQUIRE_DJPEG();
  TJpegRecipe recipe;
  recipe.Width = 120;
  recipe.Height = 80;
  const std::vector<uint8_t> file = EncodeJpeg(recipe);
  const TJPEGOptions eightBit = Options([](TJPEGOptions& o) { o.PixelFormat = TJPEGPixelFormat::jf8Bit; });
  auto jpeg = JpegWith(file, eightBit);
  EXPECT_EQ(jpeg->PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_LE(jpeg->Bitmap().Palette()->Entries.size(), 236u);
  EXPECT_LE(test::DistinctIndices(jpeg->Bitmap()), 236u);
  EXPECT_GT(test::DistinctIndices(jpeg->Bitmap()), 100u);
  ExpectSameAsDjpeg8(file, eightBit, "-dct float -colors 236");
  ExpectSameAsDjpeg8(file, Options([](TJPEGOptions& o) { o.Grayscale = true; }), "-dct float -grayscale -colors 236");
  TJPEGOptions fast = eightBit;
  fast.Performance = TJPEGPerformance::jpBestSpeed;
  ExpectSameAsDjpeg8(file, fast, "-dct fast -onepass -dither ordered -colors 236");
}

TEST(JpegPixelsTest, ProgressiveDisplayEndsWithTheSamePictureAsOneFinalPass) {
  TJpegRecipe recipe;
  recipe.Progressive = true;
  recipe.Width = 70;
  recipe.Height = 50;
  const std::vector<uint8_t> colour = EncodeJpeg(recipe);
  recipe.Kind = TJpegKind::Grey;
  const std::vector<uint8_t> grey = EncodeJpeg(recipe);
  const TJPEGOptions eightBit = Options([](TJPEGOptions& o) { o.PixelFormat = TJPEGPixelFormat::jf8Bit; });
  for (const TJPEGOptions& base : {TJPEGOptions{}, eightBit}) {
    TJPEGOptions shown = base;
    shown.ProgressiveDisplay = true;
    auto once = JpegWith(colour, base);
    auto scanByScan = JpegWith(colour, shown);
    if (base.PixelFormat == TJPEGPixelFormat::jf24Bit) {
      EXPECT_EQ(test::MaxChannelDifference(scanByScan->Bitmap(), once->Bitmap()), 0);
    } else {
      EXPECT_TRUE(test::SameIndexedColors(scanByScan->Bitmap(), once->Bitmap()));
    }
    EXPECT_TRUE(test::SameIndexedColors(JpegWith(grey, shown)->Bitmap(), JpegWith(grey, base)->Bitmap()));
  }
}

TEST(JpegPixelsTest, CallerPaletteIsTheColourMapOfPaletteDecodes) {
  TJpegRecipe recipe;
  recipe.Width = 40;
  recipe.Height = 30;
  auto jpeg = JpegWith(EncodeJpeg(recipe), Options([](TJPEGOptions& o) { o.PixelFormat = TJPEGPixelFormat::jf8Bit; }));
  const HPALETTE eight = MakeLogPalette({{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255},
                                         {255, 255, 0}, {0, 255, 255}, {255, 0, 255}, {255, 255, 255}});
  jpeg->SetPalette(eight);
  EXPECT_EQ(jpeg->Palette(), eight);
  TBitmap& bitmap = jpeg->Bitmap();
  EXPECT_EQ(bitmap.Palette(), eight);
  EXPECT_LE(test::DistinctIndices(bitmap), 8u);
  EXPECT_GT(test::DistinctIndices(bitmap), 2u);
  for (int32_t y = 0; y < bitmap.Height(); ++y)
    for (int32_t x = 0; x < bitmap.Width(); ++x) ASSERT_LT(bitmap.Pixels().Row(y)[x], 8);
}

}  // namespace
}  // namespace tapestro
