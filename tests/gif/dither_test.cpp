// Dithering onto the colour cube: the lookup, the error diffusion worked out by hand,
// when dithering is wanted, and the dithered frame bitmap.
#include "gif/dither.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "gif/gif_image.h"
#include "imaging/canvas.h"
#include "tests/gif/bitmap_probe.h"
#include "tests/support/gif_bytes.h"

namespace tapestro {
namespace {

using test::Bytes;
using test::GifBuilder;
using ::testing::ElementsAre;

constexpr uint16_t kAlwaysDither = TGIFImage::kPaintDither;

test::ImageOptions TwoBitCodes() {
  test::ImageOptions options;
  options.minimumCodeSize = 2;
  return options;
}

TEST(ColorCubeTest, LookupTakesEachChannelToLevelValuePlusThreeDivFiftyOne) {
  const TNetscapeColorLookup lookup;
  EXPECT_EQ(lookup.Lookup(255, 0, 0).Index, 180);
  EXPECT_EQ(lookup.Lookup(128, 128, 128).Index, 86);
  EXPECT_EQ(lookup.Lookup(0, 0, 0).Index, 0);
  EXPECT_EQ(lookup.Lookup(255, 255, 255).Index, 215);
  // (value + 3) div 51: 47 is still level 0, 48 already level 1.
  EXPECT_EQ(lookup.Lookup(0, 0, 47).Index, 0);
  EXPECT_EQ(lookup.Lookup(0, 0, 48).Index, 1);
  // Not the nearest level: 200 is nearer to 204 (level 4) but goes to level 3.
  EXPECT_THAT(lookup.Lookup(10, 100, 200).Levels, ElementsAre(0, 2, 3));

  const HPALETTE cube = CubePalette();
  ASSERT_EQ(cube->Entries.size(), 216u);
  EXPECT_EQ(cube->Entries[180], (TPaletteEntry{255, 0, 0, 0}));
  EXPECT_EQ(cube->Entries[86], (TPaletteEntry{102, 102, 102, 0}));
  EXPECT_EQ(cube->Entries[1], (TPaletteEntry{0, 0, 51, 0}));
}

TEST(FloydSteinbergTest, FirstPixelsTakeTheirNearestCubeColour) {
  const TNetscapeColorLookup lookup;
  EXPECT_EQ(TFloydSteinbergDitherer(4, lookup).Dither(255, 0, 0), 180);
  EXPECT_EQ(TFloydSteinbergDitherer(4, lookup).Dither(128, 128, 128), 86);
}

TEST(FloydSteinbergTest, ErrorsSpreadAheadAndToTheRowBelowInASerpentineWalk) {
  const TNetscapeColorLookup lookup;
  TFloydSteinbergDitherer ditherer(2, lookup);
  // Row 0, left to right. 140 takes level 2 (102): error 38, 7 x 38 carried ahead, so
  // the next pixel is 140 + (266 + 8) / 16 = 157, level 3 (153): error 4.
  EXPECT_EQ(ditherer.Dither(140, 140, 140), 86);
  EXPECT_EQ(ditherer.Column(), 1);
  EXPECT_EQ(ditherer.Dither(140, 140, 140), 129);
  ditherer.NextLine();
  // Row 1 runs right to left from the last column, its error pointer one cell beyond
  // the row. That cell holds nothing; the next holds what row 0 left at its end,
  // 38 + 5 x 4 = 58, so the second pixel is 140 + (58 + 266 + 8) / 16 = 160, level 3.
  EXPECT_EQ(ditherer.Direction(), -1);
  EXPECT_EQ(ditherer.Column(), 1);
  EXPECT_EQ(ditherer.Dither(140, 140, 140), 86);
  EXPECT_EQ(ditherer.Column(), 0);
  EXPECT_EQ(ditherer.Dither(140, 140, 140), 129);
  ditherer.NextLine();
  EXPECT_EQ(ditherer.Direction(), 1);
  EXPECT_EQ(ditherer.Column(), 0);
}

TEST(FloydSteinbergTest, ExactCubeColoursCarryNoError) {
  const TNetscapeColorLookup lookup;
  TFloydSteinbergDitherer ditherer(3, lookup);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(ditherer.Dither(153, 51, 204), 3 * 36 + 1 * 6 + 4);
}

class DitherWantedTest : public ::testing::Test {
 protected:
  void TearDown() override {
    SetDisplayBitsPerPixel(kDefaultDisplayBitsPerPixel);
    FixLowColorDisplay();
  }
  static void UseDisplay(int bits) {
    SetDisplayBitsPerPixel(bits);
    FixLowColorDisplay();
  }
};

TEST_F(DitherWantedTest, OptionBitsNineAndTenAndTheScreenDecide) {
  TGIFImage image;
  for (const int bits : {8, 24}) {
    SCOPED_TRACE(bits);
    UseDisplay(bits);
    EXPECT_EQ(LowColorDisplay(), bits == 8);
    image.PaintOptions = TGIFImage::kDefaultPaintOptions;  // bits 9 and 10: the screen decides
    EXPECT_EQ(image.DitherWanted(), bits == 8);
    image.PaintOptions = TGIFImage::kDefaultPaintOptions & ~TGIFImage::kPaintDither;
    EXPECT_FALSE(image.DitherWanted());
    image.PaintOptions = TGIFImage::kDefaultPaintOptions & ~TGIFImage::kPaintDitherLowColor;
    EXPECT_TRUE(image.DitherWanted());
  }
}

TEST_F(DitherWantedTest, DefaultOptionsDitherOnLowColourScreensOnly) {
  const std::vector<TGIFColor> red = {{255, 0, 0}, {0, 0, 0}};
  const Bytes bytes = GifBuilder().Header(2, 1, red).Image(2, 1, Bytes{0, 0}, TwoBitCodes()).Trailer().Get();
  UseDisplay(8);
  EXPECT_EQ(test::RawPixels(*test::ReadGif(bytes).image->SubImage(0).FrameBitmap()), (Bytes{180, 180}));
  UseDisplay(24);
  EXPECT_EQ(test::RawPixels(*test::ReadGif(bytes).image->SubImage(0).FrameBitmap()), (Bytes{0, 0}));
}

TEST(DitheredBitmapTest, HoldsCubeIndicesWithTheCubeAsColourTable) {
  const std::vector<TGIFColor> colors = {{140, 140, 140}, {255, 0, 0}};
  const auto gif = test::ReadGif(
      GifBuilder().Header(2, 3, colors).Image(2, 3, Bytes{0, 0, 0, 0, 1, 1}, TwoBitCodes()).Trailer().Get());
  gif.image->PaintOptions = kAlwaysDither;
  TBitmap& bitmap = *gif.image->SubImage(0).FrameBitmap();
  EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf8bit);
  // The walk of FloydSteinbergTest above for the grey rows; red is a cube colour, and
  // the errors left over from the grey rows are too small to move it.
  EXPECT_EQ(test::RawPixels(bitmap), (Bytes{86, 129, 129, 86, 180, 180}));
  EXPECT_EQ(bitmap.ColorTable()[180], (TRGBQuad{0, 0, 255, 0}));
  EXPECT_EQ(bitmap.ColorTable()[215], (TRGBQuad{255, 255, 255, 0}));
  EXPECT_EQ(bitmap.ColorTable()[216], TRGBQuad{});
  EXPECT_EQ(test::U32At(test::SavedBytes(bitmap), 50), 216u);  // colours important
}

TEST(DitheredBitmapTest, TransparentPixelsAreMaskedAndHoldTheTransparentColoursCubeIndex) {
  const std::vector<TGIFColor> colors = {{0, 0, 0}, {255, 255, 255}, {0, 0, 255}, {0, 255, 0}};
  const auto gif = test::ReadGif(
      GifBuilder().Header(3, 1, colors).GraphicControl(2).Image(3, 1, Bytes{1, 2, 0}, TwoBitCodes()).Trailer().Get());
  gif.image->PaintOptions = kAlwaysDither;
  TGIFSubImage& frame = gif.image->SubImage(0);
  EXPECT_EQ(test::RawPixels(*frame.FrameBitmap()), (Bytes{215, 5, 0}));
  ASSERT_NE(frame.TransparencyMask(), nullptr);
  EXPECT_EQ(test::RawPixels(*frame.TransparencyMask()), (Bytes{0, 1, 0}));
}

TEST(DitheredBitmapTest, IndexPastTheTableIsDitheredAsBlack) {
  const std::vector<TGIFColor> white = {{255, 255, 255}, {255, 255, 255}};
  const auto gif =
      test::ReadGif(GifBuilder().Header(2, 1, white).Image(2, 1, Bytes{3, 0}, TwoBitCodes()).Trailer().Get());
  gif.image->PaintOptions = kAlwaysDither;
  EXPECT_EQ(test::RawPixels(*gif.image->SubImage(0).FrameBitmap()), (Bytes{0, 215}));
}

}  // namespace
}  // namespace tapestro
