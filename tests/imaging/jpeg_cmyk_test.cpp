// Four-component files shown in colour: CMYK with and without the Adobe convention of
// inverted values, and YCCK.
#include <gtest/gtest.h>

#include "imaging/bitmap.h"
#include "imaging/jpeg/jpeg_decoder.h"
#include "imaging/jpeg/jpeg_image.h"
#include "tests/imaging/jpeg_encoder.h"
#include "tests/imaging/jpeg_references.h"
#include "tests/support/test_data.h"

namespace tapestro {
namespace {

using Ink = std::array<uint8_t, 4>;  // cyan, magenta, yellow, black

struct TPatch {
  Ink Inks;
  TColor Shown;
};

// Four 16 x 16 patches side by side: solid blocks keep their values through the DCT.
const std::array<TPatch, 4> kPatches = {{
    {{0, 255, 255, 0}, RGBColor(255, 0, 0)},
    {{255, 0, 255, 0}, RGBColor(0, 255, 0)},
    {{0, 0, 0, 0}, RGBColor(255, 255, 255)},
    {{0, 0, 0, 128}, RGBColor(127, 127, 127)},
}};

std::vector<uint8_t> PatchFile(test::TJpegKind kind, bool adobe) {
  test::TJpegRecipe recipe;
  recipe.Kind = kind;
  recipe.AdobeMarker = adobe;
  recipe.Width = 64;
  recipe.Height = 16;
  recipe.Sampling = {{1, 1}, {1, 1}, {1, 1}, {1, 1}};
  recipe.Quality = 100;
  recipe.Pixel = [adobe](int x, int) {
    Ink stored = kPatches[static_cast<size_t>(x / 16)].Inks;
    if (adobe)
      for (uint8_t& v : stored) v = static_cast<uint8_t>(255 - v);
    return stored;
  };
  return test::EncodeJpeg(recipe);
}

void ExpectPatches(const std::vector<uint8_t>& file) {
  auto jpeg = test::JpegOf(file);
  EXPECT_EQ(jpeg->PixelFormat(), TPixelFormat::pf24bit);
  TBitmap& bitmap = jpeg->Bitmap();
  ASSERT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
  ASSERT_EQ(bitmap.Width(), 64);
  const TPixelView view = bitmap.Pixels();
  for (size_t p = 0; p < kPatches.size(); ++p) {
    const uint8_t* bgr = view.Row(8) + (p * 16 + 8) * 3;
    const TColor expected = kPatches[p].Shown;
    EXPECT_NEAR(bgr[2], RedOf(expected), 3) << p;
    EXPECT_NEAR(bgr[1], GreenOf(expected), 3) << p;
    EXPECT_NEAR(bgr[0], BlueOf(expected), 3) << p;
  }
}

TEST(JpegCmykTest, AdobeCmykStoresInvertedInk) { ExpectPatches(PatchFile(test::TJpegKind::Cmyk, true)); }
TEST(JpegCmykTest, CmykWithoutAdobeMarkerStoresInk) { ExpectPatches(PatchFile(test::TJpegKind::Cmyk, false)); }
TEST(JpegCmykTest, YcckComesBackAsCmyk) { ExpectPatches(PatchFile(test::TJpegKind::Ycck, true)); }

TEST(JpegCmykTest, FourComponentFilesStayInColourUnderEveryOption) {
  const std::vector<uint8_t> file = PatchFile(test::TJpegKind::Cmyk, true);
  TJPEGOptions options;
  options.PixelFormat = TJPEGPixelFormat::jf8Bit;
  options.Grayscale = true;
  options.Scale = TJPEGScale::jsHalf;
  auto jpeg = test::JpegOf(file);
  jpeg->SetOptions(options);
  EXPECT_EQ(jpeg->PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(jpeg->Bitmap().PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(jpeg->Bitmap().Width(), 32);
}

TEST(JpegCmykTest, ConversionRoundsAndFlips) {
  const uint8_t cmyk[] = {255, 0, 128, 255, 10, 20, 30, 0};
  uint8_t bgr[6] = {};
  CmykToBgr(cmyk, bgr, 2, true);  // stored inverted: 255 means no ink
  EXPECT_EQ(std::vector<uint8_t>(bgr, bgr + 6), (std::vector<uint8_t>{128, 0, 255, 0, 0, 0}));
  CmykToBgr(cmyk, bgr, 2, false);
  EXPECT_EQ(std::vector<uint8_t>(bgr, bgr + 6), (std::vector<uint8_t>{0, 0, 0, 225, 235, 245}));
}

// An image editor's CMYK file (ImageMagick: Adobe marker, inverted, stored as YCCK)
// made from the same picture as an ordinary colour file.
TEST(JpegCmykTest, ImageEditorsCmykFileShowsThePictureItWasMadeFrom) {
  const std::string folder = test::ProjectDataDir() + "/jpeg/";
  TJPEGImage cmyk;
  cmyk.LoadFromFile(folder + "cmyk-ycck-adobe-64x48.jpg");
  TJPEGImage rgb;
  rgb.LoadFromFile(folder + "photo-64x48.jpg");
  const TPixelView a = cmyk.Bitmap().Pixels();
  const TPixelView b = rgb.Bitmap().Pixels();
  ASSERT_EQ(cmyk.Bitmap().Width(), 64);
  long total = 0;
  int worst = 0;
  for (int32_t y = 0; y < 48; ++y) {
    for (int32_t i = 0; i < 64 * 3; ++i) {
      const int difference = std::abs(a.Row(y)[i] - b.Row(y)[i]);
      total += difference;
      worst = std::max(worst, difference);
    }
  }
  // Colour conversions and two lossy codings apart, the same picture; read without the
  // inversion it would be a negative, 128 off on average.
  EXPECT_LT(static_cast<double>(total) / (64 * 48 * 3), 8.0);
  EXPECT_LT(worst, 64);
}

}  // namespace
}  // namespace tapestro
