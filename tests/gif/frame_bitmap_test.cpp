// A frame's bitmap: size, colour table, pixels, the transparency mask, palettes and
// the rules of building it once.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/stream.h"
#include "gif/errors.h"
#include "gif/gif_image.h"
#include "tests/gif/bitmap_probe.h"
#include "tests/support/gif_bytes.h"

namespace tapestro {
namespace {

using test::Bytes;
using test::GifBuilder;
using test::ImageOptions;
using test::RawPixels;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const std::vector<TGIFColor> kFourColors = {{10, 20, 30}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

ImageOptions Options(int minimumCodeSize, int left = 0, int top = 0) {
  ImageOptions options;
  options.minimumCodeSize = minimumCodeSize;
  options.left = left;
  options.top = top;
  return options;
}

// 3 x 2 screen, the four colours as the global table; rows 0 1 2 and 3 2 1.
Bytes ThreeByTwo() {
  return GifBuilder().Header(3, 2, kFourColors).Image(3, 2, Bytes{0, 1, 2, 3, 2, 1}, Options(2)).Trailer().Get();
}

std::vector<TGIFColor> Ramp(int count, int step) {
  std::vector<TGIFColor> colors;
  for (int i = 0; i < count; ++i) colors.push_back({static_cast<uint8_t>(i * step), 7, static_cast<uint8_t>(255 - i)});
  return colors;
}

TEST(FrameBitmapTest, FourColourImageGivesAnEightBitBitmapOfItsColours) {
  const auto gif = test::ReadGif(ThreeByTwo());
  TBitmap* bitmap = gif.image->SubImage(0).FrameBitmap();
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Width(), 3);
  EXPECT_EQ(bitmap->Height(), 2);
  EXPECT_EQ(bitmap->PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_THAT(RawPixels(*bitmap), ElementsAre(0, 1, 2, 3, 2, 1));
  const auto table = bitmap->ColorTable();
  ASSERT_EQ(table.size(), 256u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(table[i], test::Quad(kFourColors[i])) << i;
  for (size_t i = 4; i < table.size(); ++i) EXPECT_EQ(table[i], TRGBQuad{}) << i;
}

TEST(FrameBitmapTest, SavedFirstFrameIsAPaddedEightBitBmpFile) {
  const auto gif = test::ReadGif(ThreeByTwo());
  const std::vector<uint8_t> bytes = test::SavedBytes(*gif.image->SubImage(0).FrameBitmap());
  // 14 + 40 header bytes, 256 x 4 table bytes, two rows of 3 indices padded to 4.
  ASSERT_EQ(bytes.size(), 1086u);
  EXPECT_EQ(test::U32At(bytes, 2), 1086u);   // bfSize
  EXPECT_EQ(test::U32At(bytes, 10), 1078u);  // bfOffBits
  EXPECT_EQ(test::U32At(bytes, 46), 256u);   // biClrUsed
  EXPECT_EQ(test::U32At(bytes, 50), 4u);     // biClrImportant: the palette's entries
  EXPECT_EQ(bytes[54 + 4 * 1 + 2], 255);     // entry 1 is red: blue, green, red, 0
  // The bottom row first.
  EXPECT_THAT(Bytes(bytes.begin() + 1078, bytes.end()), ElementsAre(3, 2, 1, 0, 0, 1, 2, 0));
}

TEST(FrameBitmapTest, ImageKeepsItsOwnSizeAndIgnoresItsOffset) {
  const Bytes pixels = test::NoisePixels(100, 4, 3);
  const auto gif = test::ReadGif(
      GifBuilder().Header(100, 100, kFourColors).Image(10, 10, pixels, Options(2, 20, 30)).Trailer().Get());
  TBitmap* bitmap = gif.image->SubImage(0).FrameBitmap();
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Width(), 10);
  EXPECT_EQ(bitmap->Height(), 10);
  EXPECT_EQ(RawPixels(*bitmap), pixels);
}

TEST(FrameBitmapTest, LocalTableWinsOverTheGlobalOne) {
  ImageOptions options = Options(4);
  options.localTable = Ramp(16, 16);
  const Bytes pixels = test::NoisePixels(8 * 4, 16, 5);
  const auto gif = test::ReadGif(GifBuilder().Header(8, 4, Ramp(256, 1)).Image(8, 4, pixels, options).Trailer().Get());
  TBitmap& bitmap = *gif.image->SubImage(0).FrameBitmap();
  const auto table = bitmap.ColorTable();
  for (int i = 0; i < 16; ++i) EXPECT_EQ(table[i], test::Quad(options.localTable[i])) << i;
  for (size_t i = 16; i < table.size(); ++i) EXPECT_EQ(table[i], TRGBQuad{}) << i;
  const std::vector<uint8_t> bytes = test::SavedBytes(bitmap);
  EXPECT_EQ(test::U32At(bytes, 46), 256u);
  EXPECT_EQ(test::U32At(bytes, 50), 16u);
  EXPECT_EQ(RawPixels(bitmap), pixels);
}

TEST(FrameBitmapTest, WithoutAnyColourTableTheBuildFailsAndKeepsNothing) {
  for (const uint16_t options : {TGIFImage::kDefaultPaintOptions, uint16_t{TGIFImage::kPaintDither}}) {
    SCOPED_TRACE(options);
    const auto gif =
        test::ReadGif(GifBuilder().Header(2, 2).Image(2, 2, Bytes{0, 1, 1, 0}, Options(2)).Trailer().Get());
    gif.image->PaintOptions = options;
    TGIFSubImage& frame = gif.image->SubImage(0);
    for (int attempt = 0; attempt < 2; ++attempt) {
      try {
        frame.FrameBitmap();
        ADD_FAILURE() << "no error";
      } catch (const GIFException& e) {
        EXPECT_STREQ(e.what(), "No global or local color table defined");
      }
    }
  }
}

TEST(FrameBitmapTest, LaterImageWithoutTablesBorrowsTheFirstImagesLocalPalette) {
  ImageOptions first = Options(2);
  first.localTable = kFourColors;
  const auto gif = test::ReadGif(
      GifBuilder().Header(2, 1).Image(2, 1, Bytes{0, 1}, first).Image(2, 1, Bytes{2, 3}, Options(2)).Trailer().Get());
  TBitmap* second = gif.image->SubImage(1).FrameBitmap();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(test::ColorAt(*second, 0, 0), kFourColors[2]);
  EXPECT_EQ(test::ColorAt(*second, 1, 0), kFourColors[3]);
  // Its own table stays empty: the pixels' colours still count as unknown.
  EXPECT_TRUE(gif.image->SubImage(1).EffectiveColorMap().Empty());
}

TEST(FrameBitmapTest, BitmapIsBuiltOnceAndKept) {
  const auto gif = test::ReadGif(ThreeByTwo());
  int starts = 0;
  gif.image->OnProgress = [&](TGraphic&, TProgressStage stage, uint8_t, bool, const TRect&, const std::string&) {
    if (stage == TProgressStage::psStarting) ++starts;
  };
  TGIFSubImage& frame = gif.image->SubImage(0);
  TBitmap* first = frame.FrameBitmap();
  EXPECT_EQ(frame.FrameBitmap(), first);
  EXPECT_EQ(starts, 1);
}

TEST(FrameBitmapTest, GroupWithoutAnImageHasNoBitmap) {
  const auto gif = test::ReadGif(GifBuilder().Header(3, 2, kFourColors).Comment("no image").Trailer().Get());
  ASSERT_EQ(gif.image->SubImageCount(), 1);
  EXPECT_EQ(gif.image->SubImage(0).FrameBitmap(), nullptr);
}

TEST(FrameBitmapTest, IndexPastTheTableKeepsItsIndexAndShowsBlack) {
  // Two colours, but the 2-bit code size lets the data say 3.
  const std::vector<TGIFColor> two = {{200, 200, 200}, {50, 60, 70}};
  const auto gif =
      test::ReadGif(GifBuilder().Header(3, 1, two).Image(3, 1, Bytes{0, 3, 1}, Options(2)).Trailer().Get());
  TBitmap& bitmap = *gif.image->SubImage(0).FrameBitmap();
  EXPECT_THAT(RawPixels(bitmap), ElementsAre(0, 3, 1));
  EXPECT_EQ(test::ColorAt(bitmap, 1, 0), (TGIFColor{0, 0, 0}));
}

TEST(FrameBitmapTest, ProgressReportsRenderingFromStartToEnd) {
  const Bytes pixels = test::NoisePixels(4 * 70, 4, 9);
  const auto gif =
      test::ReadGif(GifBuilder().Header(4, 70, kFourColors).Image(4, 70, pixels, Options(2)).Trailer().Get());
  std::vector<std::pair<TProgressStage, int>> steps;
  gif.image->OnProgress = [&](TGraphic&, TProgressStage stage, uint8_t percent, bool, const TRect&,
                              const std::string& message) {
    EXPECT_EQ(message, "Rendering...");
    steps.emplace_back(stage, percent);
  };
  gif.image->SubImage(0).FrameBitmap();
  // Every 32 rows: rows 0, 32 and 64 of 70.
  EXPECT_THAT(steps, ElementsAre(std::pair{TProgressStage::psStarting, 0}, std::pair{TProgressStage::psRunning, 0},
                                 std::pair{TProgressStage::psRunning, 46}, std::pair{TProgressStage::psRunning, 91},
                                 std::pair{TProgressStage::psEnding, 100}));
}

TEST(FrameBitmapTest, ReadingAgainDropsTheImagePalette) {
  TGIFImage image;
  TMemoryStream first(ThreeByTwo());
  image.ReadFromStream(first);
  ASSERT_EQ(image.ImagePalette()->Entries[1].Red, 255);
  const std::vector<TGIFColor> other = {{1, 2, 3}, {4, 5, 6}};
  TMemoryStream second(GifBuilder().Header(1, 1, other).Image(1, 1, Bytes{1}, Options(2)).Trailer().Get());
  image.ReadFromStream(second);
  const HPALETTE palette = image.ImagePalette();
  ASSERT_EQ(palette->Entries.size(), 2u);
  EXPECT_EQ(palette->Entries[1], (TPaletteEntry{4, 5, 6, PC_NOCOLLAPSE}));
}

TEST(FrameBitmapTest, PalettesFollowTheTablesInOrder) {
  ImageOptions local = Options(2);
  local.localTable = {{9, 9, 9}, {8, 8, 8}};
  const auto gif = test::ReadGif(GifBuilder()
                                     .Header(1, 1, kFourColors)
                                     .Image(1, 1, Bytes{0}, local)
                                     .Image(1, 1, Bytes{0}, Options(2))
                                     .Trailer()
                                     .Get());
  TGIFImage& image = *gif.image;
  // The image's palette is the global table's, each entry flagged not to collapse.
  const HPALETTE global = image.ImagePalette();
  ASSERT_EQ(global->Entries.size(), 4u);
  EXPECT_EQ(global->Entries[3], (TPaletteEntry{0, 0, 255, PC_NOCOLLAPSE}));
  EXPECT_EQ(image.ImagePalette(), global);
  // A frame with its own table has its own palette; one without uses the image's.
  EXPECT_EQ(image.SubImage(0).FramePalette()->Entries.size(), 2u);
  EXPECT_EQ(image.SubImage(1).FramePalette(), global);
  EXPECT_EQ(&image.SubImage(1).EffectiveColorMap(), &image.Header().ColorMap());
  // Once built, a frame answers with its bitmap's palette: the 256-entry colour table.
  image.SubImage(1).FrameBitmap();
  EXPECT_EQ(image.SubImage(1).FramePalette()->Entries.size(), 256u);
}

}  // namespace
}  // namespace tapestro
